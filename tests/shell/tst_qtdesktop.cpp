#include "FakeDesktop.h"
#include "TestEnvironment.h"
#include "platform/QtDesktop.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A stand-in for xdg-email on the search path: writes its arguments one a line, takes a
// moment like a mail client handing over, and leaves with the given code.
bool writeFakeMailer(const QString& folder, int exitCode) {
    const QString name = folder + QStringLiteral("/xdg-email");
    QFile script(name);
    if (!script.open(QIODevice::WriteOnly))
        return false;
    script.write("#!/bin/sh\n"
                 "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args\"\n"
                 "/bin/sleep 0.3\n"
                 "exit " +
                 QByteArray::number(exitCode) + "\n");
    script.close();
    return QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

// The real desktop's hand-over of a mail to the user's mail client.
class TestQtDesktop : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        fake = std::make_unique<FakeDesktop>();
        oldPath = qgetenv("PATH");
        bin = env->path() + QStringLiteral("/bin");
        QVERIFY(QDir().mkpath(bin));
        qputenv("PATH", QFile::encodeName(bin));
    }
    void cleanup() {
        qputenv("PATH", oldPath);
        QVERIFY(fake->allShown());
        fake.reset();
        env.reset();
    }

    void mailResult_data() {
        QTest::addColumn<bool>("mailer");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("result");
        QTest::newRow("handed over") << true << 0 << 0;
        QTest::newRow("mail client refused") << true << 3 << 2;
        QTest::newRow("no xdg-email") << false << 0 << 2;
    }
    void mailResult() {
        QFETCH(bool, mailer);
        QFETCH(int, exitCode);
        QFETCH(int, result);
        if (mailer)
            QVERIFY(writeFakeMailer(bin, exitCode));
        platform::MailMessage mail;
        mail.recipientAddress = QStringLiteral("buyer@example.com");
        mail.subject = QStringLiteral("Energy report; \"quoted\" $(not run)");
        mail.body = QStringLiteral("Two\nlines");
        mail.attachments << env->file(QStringLiteral("report one.pdf"));
        platform::QtDesktop desk;
        QCOMPARE(desk.sendMail(mail), result);
        if (!mailer)
            return;
        // Every part reaches the mail client as its own argument, untouched by a shell.
        const QByteArray args = readAll(bin + QStringLiteral("/xdg-email.args"));
        QCOMPARE(args, QByteArray("--utf8\n--subject\nEnergy report; \"quoted\" $(not run)\n"
                                  "--body\nTwo\nlines\n--attach\n") +
                           env->file(QStringLiteral("report one.pdf")).toUtf8() +
                           "\nbuyer@example.com\n");
    }

    void windowKeepsWorkingWhileTheMailIsHandedOver() {
        QVERIFY(writeFakeMailer(bin, 0));
        // A timer due at once stands for the window's repaints: it must run while the mail
        // client takes the message, not only after.
        bool ranMeanwhile = false;
        bool returned = false;
        QTimer::singleShot(0, [&] { ranMeanwhile = !returned; });
        platform::MailMessage mail;
        mail.recipientAddress = QStringLiteral("buyer@example.com");
        platform::QtDesktop desk;
        QCOMPARE(desk.sendMail(mail), 0);
        returned = true;
        QCoreApplication::processEvents();
        QVERIFY(ranMeanwhile);
    }

private:
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
    QByteArray oldPath;
    QString bin;
};

QTEST_MAIN(TestQtDesktop)
#include "tst_qtdesktop.moc"
