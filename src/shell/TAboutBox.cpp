#include "shell/TAboutBox.h"

#include "core/SharedState.h"
#include "platform/Desktop.h"
#include "shell/ArtPicture.h"
#include "shell/EnervaneApplication.h"
#include "shell/MakerInfo.h"
#include "shell/TLink.h"

#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QToolButton>

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    InitShellArt();
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About QVN DRV742 Enervane"));
    setFixedSize(500, 387);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, QColor(0x33, 0x33, 0x33));
    setPalette(white);

    ProgramIcon = new ArtPicture(QStringLiteral(":/shell/art/about.svg"), this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(0, 0, 500, 338);

    Copyright = new QLabel(MakerLegalNotice, this);
    Copyright->setObjectName(QStringLiteral("Copyright"));
    QFont small = Copyright->font();
    small.setPixelSize(11);
    Copyright->setFont(small);
    Copyright->setGeometry(12, 343, 360, 15);

    URL = new TLink(this);
    URL->setObjectName(QStringLiteral("URL"));
    QFont linkFont = URL->font();
    linkFont.setPixelSize(12);
    URL->setFont(linkFont);
    URL->HoverColor = Qt::red;
    URL->setToolTip(QStringLiteral("Click here to visit our website"));
    URL->setGeometry(12, 362, 220, 18);

    Version = new QLabel(QStringLiteral("Version"), this);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = Version->font();
    bold.setPixelSize(12);
    bold.setBold(true);
    Version->setFont(bold);
    // On the row of the web address, right of it and clear of the legal line above.
    Version->setGeometry(250, 360, 200, 20);

    OKButton = new QToolButton(this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setIcon(QIcon(QStringLiteral(":/shell/art/close.svg")));
    OKButton->setIconSize(QSize(24, 24));
    OKButton->setAutoRaise(true);
    OKButton->setToolTip(QStringLiteral("Close"));
    OKButton->setGeometry(460, 346, 32, 32);
    connect(OKButton, &QToolButton::clicked, this, &QDialog::accept);

    // Errors that nothing else caught end up here for the rest of the run.
    EnervaneApplication::setErrorHandler(&TAboutBox::AppException);
    AboutBox = this;
}

TAboutBox::~TAboutBox() {
    if (AboutBox == this)
        AboutBox = nullptr;
}

QString TAboutBox::ExceptionText(const QString& message) {
    return QStringLiteral("EXCEPTION ERROR : ") + message + QStringLiteral(" Program Aborted !");
}

void TAboutBox::AppException(const QString& message) {
    platform::desktop().message(platform::Icon::Error, ExceptionText(message),
                                platform::Buttons::Ok);
    platform::desktop().endProgram(1);
}

void TAboutBox::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TAboutBox::FormShow() {
    Version->setText(QStringLiteral("Version: ") + Shared.VersionText);
    setWindowTitle(QStringLiteral("About QVN DRV742 Enervane"));
    URL->setText(MakerWebCaption);
    URL->URL = MakerWebAddress;
}
