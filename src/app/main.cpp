#include "core/SharedState.h"
#include "platform/QtDesktop.h"
#include "shell/EnervaneApplication.h"
#include "shell/TAboutBox.h"
#include "shell/TForm1.h"

#include <QIcon>

int main(int argc, char* argv[]) {
    EnervaneApplication app(argc, argv);
    static platform::QtDesktop qtDesktop;
    platform::setDesktop(&qtDesktop);

    InitSharedState();
    QApplication::setApplicationDisplayName(Shared.ProductTitle);
    QApplication::setApplicationName(QStringLiteral("Enervane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/shell/art/enervane.svg")));

    // The windows, created once in their fixed order; they live until the program ends.
    // The main window comes first: it defines the parameter table the others rely on.
    TForm1 form1(QCoreApplication::arguments().mid(1));
    TAboutBox aboutBox(&form1); // installs the program-wide error handler

    form1.show();
    return EnervaneApplication::exec();
}
