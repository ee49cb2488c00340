#include "core/SharedState.h"
#include "platform/QtDesktop.h"
#include "shell/TForm1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    static platform::QtDesktop qtDesktop;
    platform::setDesktop(&qtDesktop);

    InitSharedState();
    QApplication::setApplicationDisplayName(Shared.ProductTitle);

    TForm1 form1;
    form1.show();
    return app.exec();
}
