#include "FakeDesktop.h"
#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"
#include "core/SharedState.h"
#include "shell/UpdateChecker.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using Outcome = UpdateChecker::Outcome;

Q_DECLARE_METATYPE(UpdateChecker::Outcome)

namespace {
const QString Running = QStringLiteral("1.005.10");

QByteArray infoFile(const QString& version) {
    return "[Update]\r\nVersion=" + version.toUtf8() +
           "\r\nURL=https://updates.example.com/download/enervane-" + version.toUtf8() +
           ".tar.gz\r\n";
}

const QString NoUpdateText = QStringLiteral(
    "There is no update available. You are using the latest version of QVN DRV742 Enervane "
    "(Version 1.005.10).");
const QString UnreachableText =
    QStringLiteral("The update server could not be reached or did not answer. Please check "
                   "your Internet connection and try again later.");
const QString LostText =
    QStringLiteral("The connection to the update server was lost. Please try again later.");
const QString NoFileText = QStringLiteral(
    "The update server holds no update information for this program. Please try again later.");
QString askText(const QString& version) {
    return QStringLiteral("A new version of QVN DRV742 Enervane is available.\r\r"
                          "Installed version: 1.005.10\rNew version: %1\r\r"
                          "Do you want to download it now?")
        .arg(version);
}
} // namespace

class TestUpdateChecker : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        fake = std::make_unique<FakeDesktop>();
        server = std::make_unique<LoopbackHttpServer>();
        QVERIFY(server->isListening());
        checker = std::make_unique<UpdateChecker>();
        checker->setServer(server->address());
        checker->VersionNumber = Running;
        checker->setTimeout(1500);
    }
    void cleanup() {
        checker.reset();
        server.reset();
        QVERIFY(fake->allShown());
        fake.reset();
        env.reset();
    }

    void versionNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("usual") << "1.005.10" << true;
        QTest::newRow("one part") << "2" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("empty part") << "1..5" << false;
        QTest::newRow("trailing point") << "1.5." << false;
        QTest::newRow("letters") << "1.5b" << false;
        QTest::newRow("sign") << "-1.5" << false;
        QTest::newRow("blank inside") << "1. 5" << false;
        QTest::newRow("far too long") << QString(70, QLatin1Char('1')) << false;
    }
    void versionNumbers() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(IsVersionNumber(text), valid);
    }

    void compareVersions_data() {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<int>("order");
        QTest::newRow("numbers, not text") << "1.005.10"
                                           << "1.005.9" << 1;
        QTest::newRow("equal") << "1.005.10"
                               << "1.005.10" << 0;
        QTest::newRow("leading zeros") << "1.5.10"
                                       << "1.005.010" << 0;
        QTest::newRow("missing parts are 0") << "1.5"
                                             << "1.5.0.0" << 0;
        QTest::newRow("extra part") << "1.5.0.1"
                                    << "1.5" << 1;
        QTest::newRow("older") << "1.004.99"
                               << "1.005.0" << -1;
        QTest::newRow("major wins") << "2"
                                    << "1.999.999" << 1;
        QTest::newRow("beyond 64 bits") << "1.99999999999999999999999"
                                        << "1.99999999999999999999998" << 1;
        QTest::newRow("unreadable counts as 0") << "abc"
                                                << "0.0.1" << -1;
    }
    void compareVersions() {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(int, order);
        QCOMPARE(CompareVersions(left, right), order);
        QCOMPARE(CompareVersions(right, left), -order);
    }

    void parse_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("url");
        const QString url = QStringLiteral("https://updates.example.com/get");
        QTest::newRow("plain")
            << QByteArray("[Update]\nVersion=1.6\nURL=https://updates.example.com/get\n") << true
            << "1.6" << url;
        QTest::newRow("blanks, CRLF, comments, other sections, any case")
            << QByteArray("\xEF\xBB\xBF; information file\r\n[Other]\r\nVersion=9.9\r\n"
                          "[ update ]\r\n# comment\r\n  version = 1.6 \r\nurl= "
                          "https://updates.example.com/get\r\n")
            << true << "1.6" << url;
        QTest::newRow("first of two keys counts")
            << QByteArray("[Update]\nVersion=1.6\nVersion=7\nURL=https://updates.example.com/get\n")
            << true << "1.6" << url;
        QTest::newRow("empty") << QByteArray() << false << ""
                               << "";
        QTest::newRow("no section")
            << QByteArray("Version=1.6\nURL=https://a.example.com/\n") << false << ""
            << "";
        QTest::newRow("no URL") << QByteArray("[Update]\nVersion=1.6\n") << false << ""
                                << "";
        QTest::newRow("bad version")
            << QByteArray("[Update]\nVersion=1.6 beta\nURL=https://a.example.com/\n") << false << ""
            << "";
        QTest::newRow("not a web address")
            << QByteArray("[Update]\nVersion=1.6\nURL=file:///etc/passwd\n") << false << ""
            << "";
        QTest::newRow("program instead of address")
            << QByteArray("[Update]\nVersion=1.6\nURL=rm -rf ~\n") << false << ""
            << "";
        QTest::newRow("broken section line")
            << QByteArray("[Update\nVersion=1.6\nURL=https://a.example.com/\n") << false << ""
            << "";
        QTest::newRow("line without equals")
            << QByteArray("[Update]\nVersion 1.6\nURL=https://a.example.com/\n") << false << ""
            << "";
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe[Update]\x00", 9) << false << ""
                                << "";
        QTest::newRow("huge") << QByteArray(100000, 'x') << false << ""
                              << "";
    }
    void parse() {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(QString, version);
        QFETCH(QString, url);
        const UpdateInfo info = ParseUpdateInfo(text);
        QCOMPARE(info.valid, valid);
        QCOMPARE(info.version, version);
        QCOMPARE(info.url, url);
    }

    void serverAddress() {
        qunsetenv("ENERVANE_UPDATE_URL");
        QCOMPARE(UpdateServer(), DefaultUpdateServer);
        QVERIFY(QUrl(DefaultUpdateServer).host().endsWith(QLatin1String(".example.com")));
        qputenv("ENERVANE_UPDATE_URL", "http://127.0.0.1:8080/mirror/");
        QCOMPARE(UpdateServer(), QStringLiteral("http://127.0.0.1:8080/mirror"));
        UpdateChecker fresh;
        QCOMPARE(fresh.InformationFileUrl(),
                 QStringLiteral("http://127.0.0.1:8080/mirror/update/QVN/DRV742EE.inf"));
        qputenv("ENERVANE_UPDATE_URL", "   ");
        QCOMPARE(UpdateServer(), DefaultUpdateServer);
        qunsetenv("ENERVANE_UPDATE_URL");
    }

    // Check-only: the answer and nothing on the screen, whatever the server does.
    void checkOnly_data() {
        QTest::addColumn<int>("scenario");
        QTest::addColumn<Outcome>("expected");
        QTest::newRow("newer") << 0 << Outcome::UpdateAvailable;
        QTest::newRow("equal") << 1 << Outcome::NoUpdate;
        QTest::newRow("older") << 2 << Outcome::NoUpdate;
        QTest::newRow("malformed") << 3 << Outcome::NoUpdate;
        QTest::newRow("404") << 4 << Outcome::NoInformationFile;
        QTest::newRow("server down") << 5 << Outcome::HostUnreachable;
        QTest::newRow("slow server") << 6 << Outcome::HostUnreachable;
        QTest::newRow("half an answer") << 7 << Outcome::ConnectionLost;
        QTest::newRow("hangs up") << 8 << Outcome::ConnectionLost;
        QTest::newRow("server error") << 9 << Outcome::NoInformationFile;
    }
    void checkOnly() {
        QFETCH(int, scenario);
        QFETCH(Outcome, expected);
        prepare(scenario);
        checker->ShowMessages = true; // check-only never shows anything anyway
        QCOMPARE(run(true), expected);
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(fake->opened.isEmpty());
        if (scenario != 5)
            QCOMPARE(server->requestLines.value(0),
                     QByteArray("GET /update/QVN/DRV742EE.inf HTTP/1.1"));
    }

    // The user check: its own message for every answer of the server.
    void userCheck_data() {
        QTest::addColumn<int>("scenario");
        QTest::addColumn<Outcome>("expected");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("text");
        QTest::newRow("equal") << 1 << Outcome::NoUpdate << int(Icon::Information) << NoUpdateText;
        QTest::newRow("older") << 2 << Outcome::NoUpdate << int(Icon::Information) << NoUpdateText;
        QTest::newRow("malformed")
            << 3 << Outcome::NoUpdate << int(Icon::Information) << NoUpdateText;
        QTest::newRow("404") << 4 << Outcome::NoInformationFile << int(Icon::Warning) << NoFileText;
        QTest::newRow("server down")
            << 5 << Outcome::HostUnreachable << int(Icon::Warning) << UnreachableText;
        QTest::newRow("slow server")
            << 6 << Outcome::HostUnreachable << int(Icon::Warning) << UnreachableText;
        QTest::newRow("half an answer")
            << 7 << Outcome::ConnectionLost << int(Icon::Warning) << LostText;
    }
    void userCheck() {
        QFETCH(int, scenario);
        QFETCH(Outcome, expected);
        QFETCH(int, icon);
        QFETCH(QString, text);
        prepare(scenario);
        fake->expect(Icon(icon), text, Buttons::Ok);
        QCOMPARE(run(false), expected);
        QVERIFY(fake->opened.isEmpty());
    }

    void userCheckNewerAsksAndOpensDownload_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(Answer::Yes);
        QTest::newRow("no") << int(Answer::No);
    }
    void userCheckNewerAsksAndOpensDownload() {
        QFETCH(int, answer);
        prepare(0);
        fake->expect(Icon::Question, askText(QStringLiteral("1.005.11")), Buttons::YesNo,
                     Answer(answer));
        QCOMPARE(run(false), Outcome::UpdateAvailable);
        if (Answer(answer) == Answer::Yes)
            QCOMPARE(fake->opened,
                     QStringList{QStringLiteral(
                         "OPEN https://updates.example.com/download/enervane-1.005.11.tar.gz")});
        else
            QVERIFY(fake->opened.isEmpty());
    }

    void downloadPageThatCannotOpenIsReported() {
        prepare(0);
        fake->shellOpenResult = false;
        fake->expect(Icon::Question, askText(QStringLiteral("1.005.11")), Buttons::YesNo,
                     Answer::Yes);
        fake->expect(Icon::Warning,
                     QStringLiteral("The download page could not be opened. Please visit "
                                    "https://updates.example.com/download/enervane-1.005.11.tar.gz "
                                    "with your web browser."),
                     Buttons::Ok);
        QCOMPARE(run(false), Outcome::UpdateAvailable);
    }

    void forbiddenMessagesStaySilent() {
        prepare(4);
        checker->ShowMessages = false;
        QCOMPARE(run(false), Outcome::NoInformationFile);
        QVERIFY(fake->messages.isEmpty());
    }

    void oneCheckAtATime() {
        server->setMode(LoopbackHttpServer::Mode::Silent);
        checker->setTimeout(300);
        QSignalSpy done(checker.get(), &UpdateChecker::finished);
        QVERIFY(checker->CheckForUpdate(true));
        QVERIFY(checker->isRunning());
        QVERIFY(!checker->CheckForUpdate(true));
        QVERIFY(done.wait(5000));
        QCOMPARE(done.count(), 1);
        QVERIFY(!checker->isRunning());
        // Afterwards a new check may start.
        server->answer(200, infoFile(Running));
        QVERIFY(checker->CheckForUpdate(true));
        QVERIFY(done.wait(5000));
        QCOMPARE(done.last().at(0).value<Outcome>(), Outcome::NoUpdate);
    }

    void checkDoesNotBlock() {
        // The request goes out and the caller gets control back at once; the answer comes
        // through the event loop.
        server->setMode(LoopbackHttpServer::Mode::Silent);
        checker->setTimeout(2000);
        QSignalSpy done(checker.get(), &UpdateChecker::finished);
        QVERIFY(checker->CheckForUpdate(true));
        // A check that waited for its answer would have finished before returning.
        QVERIFY(checker->isRunning());
        QCOMPARE(done.count(), 0);
        QVERIFY(server->requestLines.isEmpty());
        QTRY_COMPARE(server->requestLines.size(), 1);
        QVERIFY(checker->isRunning());
    }

    void destroyedWhileRunning() {
        server->setMode(LoopbackHttpServer::Mode::Silent);
        QVERIFY(checker->CheckForUpdate(false));
        QTRY_COMPARE(server->requestLines.size(), 1);
        checker.reset(); // nothing may call back into the destroyed checker
        QTest::qWait(50);
        QVERIFY(fake->messages.isEmpty());
    }

private:
    void prepare(int scenario) {
        switch (scenario) {
        case 0:
            server->answer(200, infoFile(QStringLiteral("1.005.11")));
            break;
        case 1:
            server->answer(200, infoFile(QStringLiteral("1.5.10")));
            break;
        case 2:
            server->answer(200, infoFile(QStringLiteral("1.005.9")));
            break;
        case 3:
            server->answer(200, QByteArray("<html><body>Welcome to nginx!</body></html>"));
            break;
        case 4:
            server->answer(404, QByteArray("not here"));
            break;
        case 5: {
            // A port nobody listens on any more.
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
            const quint16 port = closed.serverPort();
            closed.close();
            checker->setServer(QStringLiteral("http://127.0.0.1:%1").arg(port));
            break;
        }
        case 6:
            server->setMode(LoopbackHttpServer::Mode::Silent);
            checker->setTimeout(400);
            break;
        case 7:
            server->setMode(LoopbackHttpServer::Mode::HalfAnswer);
            checker->setTimeout(400);
            break;
        case 8:
            server->setMode(LoopbackHttpServer::Mode::HangUp);
            break;
        case 9:
            server->answer(500, infoFile(QStringLiteral("9.0")));
            break;
        }
    }

    Outcome run(bool onlyCheck) {
        QSignalSpy done(checker.get(), &UpdateChecker::finished);
        QElapsedTimer clock;
        clock.start();
        if (!checker->CheckForUpdate(onlyCheck))
            return Outcome::NoUpdate;
        if (!done.wait(10000)) {
            qWarning("the update check never finished");
            return Outcome::NoUpdate;
        }
        // Timeouts are a matter of seconds, never of the whole test.
        if (clock.elapsed() > 5000)
            qWarning("the update check took %lld ms", clock.elapsed());
        return done.takeFirst().at(0).value<Outcome>();
    }

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
    std::unique_ptr<LoopbackHttpServer> server;
    std::unique_ptr<UpdateChecker> checker;
};

QTEST_GUILESS_MAIN(TestUpdateChecker)
#include "tst_updatechecker.moc"
