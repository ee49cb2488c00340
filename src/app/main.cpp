#include "core/SharedState.h"
#include "platform/QtDesktop.h"
#include "shell/ArtPicture.h"
#include "shell/EnervaneApplication.h"
#include "shell/TAboutBox.h"
#include "shell/TForm1.h"

#include <QIcon>

int main(int argc, char* argv[]) {
    EnervaneApplication app(argc, argv);
    static platform::QtDesktop qtDesktop;
    platform::setDesktop(&qtDesktop);

    InitSharedState();
    // The program's title is Shared.ProductTitle: message boxes carry it as their caption.
    // It is deliberately not Qt's display name, which the desktop would append to every
    // window caption ("... - QVN DRV742 Enervane") and so change the captions the windows set.
    InitShellArt();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/shell/art/enervane.svg")));

    // The windows, created once in their fixed order; they live until the program ends.
    // The main window comes first: it defines the parameter table the others rely on.
    TForm1 form1(QCoreApplication::arguments().mid(1));
    TAboutBox aboutBox(&form1); // installs the program-wide error handler

    form1.show();
    return EnervaneApplication::exec();
}
