#include "FakeDesktop.h"

#include <QDir>
#include <QTest>

FakeDesktop::FakeDesktop() : tempFolder(QDir::tempPath()), programDir(QDir::currentPath()) {
    platform::setDesktop(this);
}

FakeDesktop::~FakeDesktop() {
    platform::setDesktop(nullptr);
}

void FakeDesktop::expect(platform::Icon icon, const QString& text, platform::Buttons buttons,
                         platform::Answer answer) {
    expected.append({icon, text, buttons, answer});
}

platform::Answer FakeDesktop::message(platform::Icon icon, const QString& text,
                                      platform::Buttons buttons) {
    messages.append({icon, text, buttons});
    if (!expected.isEmpty()) {
        const Expected next = expected.takeFirst();
        if (next.icon != icon || next.text != text || next.buttons != buttons) {
            const QString what =
                QStringLiteral("message %1 [%2] differs from the expected %3 [%4]")
                    .arg(text, platform::iconName(icon), next.text, platform::iconName(next.icon));
            unexpected << what;
            QTest::qFail(qPrintable(what), __FILE__, __LINE__);
        }
        return next.answer;
    }
    if (acceptAll)
        return acceptAllAnswer;
    const QString what =
        QStringLiteral("unexpected message [%1]: %2").arg(platform::iconName(icon), text);
    unexpected << what;
    QTest::qFail(qPrintable(what), __FILE__, __LINE__);
    return platform::Answer::Cancel;
}

QString FakeDesktop::nextFileAnswer(const QString& title) {
    fileDialogTitles << title;
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString FakeDesktop::openFileName(const QString& title, const QString&, const QString&) {
    return nextFileAnswer(title);
}

QString FakeDesktop::saveFileName(const QString& title, const QString&, const QString&,
                                  const QString&) {
    return nextFileAnswer(title);
}

QString FakeDesktop::openPictureName(const QString& title, const QString&) {
    return nextFileAnswer(title);
}

bool FakeDesktop::printDialog(QPrinter*) {
    ++printDialogs;
    return printAnswers.isEmpty() ? false : printAnswers.takeFirst();
}

bool FakeDesktop::shellOpen(const QString& target, const QString& verb) {
    opened << verb + QLatin1Char(' ') + target;
    return shellOpenResult;
}

bool FakeDesktop::startProgram(const QString& program, const QStringList& arguments) {
    programs.append({program, arguments});
    return true;
}

bool FakeDesktop::showHelp(const QString& helpFile, const QString& topic) {
    helpTopics << helpFile + QLatin1Char('#') + topic;
    return helpResult;
}

int FakeDesktop::sendMail(const platform::MailMessage& mail) {
    mails.append(mail);
    return mailResult;
}

void FakeDesktop::endProgram(int exitCode) {
    endedWith << exitCode;
}
