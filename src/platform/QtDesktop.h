#pragma once

#include "platform/Desktop.h"

class QWidget;

namespace platform {

// The real desktop: Qt message boxes, dialogs and the shell.
class QtDesktop : public ConsoleDesktop {
public:
    Answer message(Icon icon, const QString& text, Buttons buttons) override;
    void beep() override;
    QString openFileName(const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
    QString openPictureName(const QString& title, const QString& folder) override;
    bool printDialog(QPrinter* printer) override;
    bool shellOpen(const QString& target, const QString& verb) override;
    bool showHelp(const QString& helpFile, const QString& topic) override;
    int sendMail(const MailMessage& mail) override;
    void endProgram(int exitCode) override;
};

} // namespace platform
