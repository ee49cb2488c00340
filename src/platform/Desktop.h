#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

namespace platform {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// What the mail hand-over receives: one recipient, a subject, a body and attachments.
struct MailMessage {
    QString recipientName;
    QString recipientAddress;
    QString subject;
    QString body;
    QStringList attachments; // full paths
};

// Every contact with the desktop goes through this one interface, so that the windows and
// routines can be driven in tests with a recording fake and without a real desktop.
class Desktop {
public:
    virtual ~Desktop();

    // A modal message box; returns the button the user pressed.
    virtual Answer message(Icon icon, const QString& text, Buttons buttons) = 0;
    virtual void beep() = 0;

    // File dialogs: an empty result means the user cancelled.
    virtual QString openFileName(const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    virtual QString openPictureName(const QString& title, const QString& folder) = 0;
    // The print dialog on the given printer; true when the user confirmed.
    virtual bool printDialog(QPrinter* printer) = 0;

    // The shell's "open" of a document, folder or web address; false when it failed.
    virtual bool shellOpen(const QString& target, const QString& verb) = 0;
    // Starts a program with an argument list (never through a shell); false when it failed.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // Opens a page of the help in the user's viewer; false when it failed.
    virtual bool showHelp(const QString& helpFile, const QString& topic) = 0;
    // Hands a message to the user's mail client; 0 on success, otherwise a result code.
    virtual int sendMail(const MailMessage& mail) = 0;

    // Ends the program after a fatal error. The fake records the call and returns.
    virtual void endProgram(int exitCode) = 0;

    virtual QString systemTempFolder() = 0;
    virtual QString programFolder() = 0;
};

// The desktop in use. Until one is installed, a console desktop answers: messages go to
// standard error and are answered with OK (or Yes), nothing is opened.
Desktop& desktop();
// Installs the desktop (not owned); nullptr restores the console desktop.
void setDesktop(Desktop* d);

// The console desktop: useful for the command-line program and as a base for fakes.
class ConsoleDesktop : public Desktop {
public:
    Answer message(Icon icon, const QString& text, Buttons buttons) override;
    void beep() override {}
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString openPictureName(const QString&, const QString&) override { return {}; }
    bool printDialog(QPrinter*) override { return false; }
    bool shellOpen(const QString&, const QString&) override { return false; }
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool showHelp(const QString&, const QString&) override { return false; }
    int sendMail(const MailMessage&) override { return 2; }
    void endProgram(int exitCode) override;
    QString systemTempFolder() override;
    QString programFolder() override;
};

QString iconName(Icon icon);

} // namespace platform
