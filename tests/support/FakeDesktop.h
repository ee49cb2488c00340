#pragma once

#include "platform/Desktop.h"

#include <QList>
#include <QString>
#include <QStringList>

// The recording desktop of the tests. Every message is recorded with its icon, text and
// buttons and answered from a queue of expected messages; a message the test did not expect
// fails the test. Dialogs answer from their own queues; shell opens, programs, help topics,
// mails and program ends are recorded.
class FakeDesktop : public platform::ConsoleDesktop {
public:
    struct Message {
        platform::Icon icon;
        QString text;
        platform::Buttons buttons;
    };
    struct Expected {
        platform::Icon icon;
        QString text;
        platform::Buttons buttons;
        platform::Answer answer;
    };

    FakeDesktop();
    ~FakeDesktop() override;

    // The next message must be exactly this one; it is answered with `answer`.
    void expect(platform::Icon icon, const QString& text, platform::Buttons buttons,
                platform::Answer answer = platform::Answer::Ok);
    // Any message is answered with `answer` and recorded, without failing (fuzzing, loops).
    void answerEverything(platform::Answer answer) {
        acceptAll = true;
        acceptAllAnswer = answer;
    }
    // True when every expected message has been shown.
    bool allShown() const { return expected.isEmpty(); }
    int pending() const { return static_cast<int>(expected.size()); }

    platform::Answer message(platform::Icon icon, const QString& text,
                             platform::Buttons buttons) override;
    void beep() override { ++beeps; }
    QString openFileName(const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
    QString openPictureName(const QString& title, const QString& folder) override;
    bool printDialog(QPrinter* printer) override;
    bool shellOpen(const QString& target, const QString& verb) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool showHelp(const QString& helpFile, const QString& topic) override;
    int sendMail(const platform::MailMessage& mail) override;
    void endProgram(int exitCode) override;
    QString systemTempFolder() override { return tempFolder; }
    QString programFolder() override { return programDir; }

    QList<Message> messages;
    QStringList unexpected;
    int beeps = 0;
    QList<int> endedWith;
    QStringList fileAnswers; // answers of open/save/picture dialogs, in order
    QStringList fileDialogTitles;
    QList<bool> printAnswers;
    int printDialogs = 0;
    QStringList opened; // "verb target"
    bool shellOpenResult = true;
    QList<QPair<QString, QStringList>> programs;
    QStringList helpTopics; // "file#topic"
    bool helpResult = true;
    QList<platform::MailMessage> mails;
    int mailResult = 0;
    QString tempFolder;
    QString programDir;

private:
    QString nextFileAnswer(const QString& title);
    QList<Expected> expected;
    bool acceptAll = false;
    platform::Answer acceptAllAnswer = platform::Answer::Ok;
};
