#include "platform/QtDesktop.h"

#include "core/SharedState.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
QWidget* dialogParent() {
    return QApplication::activeWindow();
}

QString messageCaption() {
    return Shared.ProductTitle.isEmpty() ? QStringLiteral("QVN DRV742 Enervane")
                                         : Shared.ProductTitle;
}
} // namespace

Answer QtDesktop::message(Icon icon, const QString& text, Buttons buttons) {
    QMessageBox box(dialogParent());
    box.setWindowTitle(messageCaption());
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::None:
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void QtDesktop::beep() {
    QApplication::beep();
}

QString QtDesktop::openFileName(const QString& title, const QString& folder,
                                const QString& filter) {
    return QFileDialog::getOpenFileName(dialogParent(), title, folder, filter);
}

QString QtDesktop::saveFileName(const QString& title, const QString& folder, const QString& filter,
                                const QString& defaultSuffix) {
    QFileDialog dialog(dialogParent(), title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString QtDesktop::openPictureName(const QString& title, const QString& folder) {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    const QString filter = QStringLiteral("Pictures (") + patterns.join(QLatin1Char(' ')) +
                           QStringLiteral(");;All files (*)");
    return QFileDialog::getOpenFileName(dialogParent(), title, folder, filter);
}

bool QtDesktop::printDialog(QPrinter* printer) {
    QPrintDialog dialog(printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool QtDesktop::shellOpen(const QString& target, const QString& /*verb*/) {
    const QUrl url =
        QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl::fromUserInput(target);
    return QDesktopServices::openUrl(url);
}

bool QtDesktop::showHelp(const QString& helpFile, const QString& topic) {
    const QString page = topic.isEmpty() ? helpFile : helpFile + QLatin1Char('/') + topic;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

int QtDesktop::sendMail(const MailMessage& mail) {
    // xdg-email takes the parts as separate arguments; nothing passes through a shell.
    QStringList arguments;
    arguments << QStringLiteral("--utf8");
    if (!mail.subject.isEmpty())
        arguments << QStringLiteral("--subject") << mail.subject;
    if (!mail.body.isEmpty())
        arguments << QStringLiteral("--body") << mail.body;
    for (const QString& file : mail.attachments)
        arguments << QStringLiteral("--attach") << file;
    arguments << mail.recipientAddress;
    // The window keeps painting while the mail client takes the message; the user's input
    // waits until it has answered (or has been given up on).
    QProcess process;
    QEventLoop wait;
    QObject::connect(&process, &QProcess::finished, &wait, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &wait, [&wait](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            wait.quit();
    });
    QTimer::singleShot(30000, &wait, &QEventLoop::quit);
    process.start(QStringLiteral("xdg-email"), arguments);
    if (process.state() != QProcess::NotRunning)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (process.state() != QProcess::NotRunning)
        return 2; // given up on; the process ends with this object
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? 0 : 2;
}

void QtDesktop::endProgram(int exitCode) {
    // A fatal error: leave at once, whatever windows or loops are running. No destructors
    // run: after an error nobody handled, the state they would tidy up cannot be trusted.
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

} // namespace platform
