#include "FakeDesktop.h"
#include "TestEnvironment.h"
#include "core/ParameterTable.h"
#include "core/SharedState.h"

#include <QFileInfo>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

using platform::Buttons;
using platform::Icon;

class TestSharedState : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        fake = std::make_unique<FakeDesktop>();
        fake->tempFolder = env->path() + QStringLiteral("/systemp");
        QDir().mkpath(fake->tempFolder);
        fake->programDir = env->path() + QStringLiteral("/prog");
    }
    void cleanup() {
        QVERIFY(fake->allShown());
        fake.reset();
        env.reset();
    }

    void initialValues() {
        Shared.ProjectActive = true;
        Shared.GraphType = 4;
        DefineAllParameters();
        InitSharedState();
        QCOMPARE(ParameterCount(), 0);
        QCOMPARE(Shared.FileTypeText, QStringLiteral("QVN ENERGY FILE"));
        QCOMPARE(Shared.VersionText, QStringLiteral("1.005.10"));
        QCOMPARE(Shared.ProductTitle, QStringLiteral("QVN DRV742 Enervane"));
        QCOMPARE(Shared.AppTypeText, QStringLiteral("FAN"));
        QCOMPARE(Shared.CurrencySymbol, QStringLiteral("$"));
        QCOMPARE(Shared.GraphType, 1);
        QCOMPARE(Shared.OverviewAppType, 1);
        QCOMPARE(Shared.OverviewMethod, 1);
        QVERIFY(!Shared.ProjectActive);
        QVERIFY(!Shared.ProjectModified);
        QVERIFY(!Shared.CommandLineFileFound);
        QCOMPARE(Shared.ProgramFolder, fake->programDir);
        for (const QString& line : Shared.InfoTextLines)
            QVERIFY(line.isEmpty());
    }

    void tempFolderIsPrivate() {
        InitSharedState();
        QVERIFY(Shared.TempFolder.startsWith(fake->tempFolder + QLatin1Char('/')));
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(Shared.TempFolder).constData(), &info), 0);
        QVERIFY(S_ISDIR(info.st_mode));
        QCOMPARE(int(info.st_mode & 0777), 0700);
        // A second start finds the same folder.
        const QString first = Shared.TempFolder;
        InitSharedState();
        QCOMPARE(Shared.TempFolder, first);
    }

    void plantedLinkIsNotUsed() {
        const QString planted =
            fake->tempFolder + QStringLiteral("/enervane-") + QString::number(getuid());
        const QString elsewhere = env->path() + QStringLiteral("/elsewhere");
        QDir().mkpath(elsewhere);
        QVERIFY(QFile::link(elsewhere, planted));
        InitSharedState();
        QVERIFY(Shared.TempFolder != planted);
        QVERIFY(QFileInfo(Shared.TempFolder).isDir());
        QVERIFY(!QFileInfo(Shared.TempFolder).isSymLink());
    }

    void formatThousands_data() {
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("thousands");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("comma") << "."
                               << "," << 2 << 1200.5f << "1,200.50";
        QTest::newRow("point as separator") << ","
                                            << "." << 2 << 1200.5f << "1.200.50";
        QTest::newRow("equal separators") << ","
                                          << "," << 2 << 1200.5f << "1,200.50";
        QTest::newRow("unreadable") << ""
                                    << "" << 2 << 1200.5f << "1,200.50";
        QTest::newRow("negative") << "."
                                  << "," << 0 << -2500.f << "-2,500";
        QTest::newRow("below a thousand") << "."
                                          << "," << 0 << 999.f << "999";
        QTest::newRow("rounds up, no separator") << "."
                                                 << "," << 2 << 999.996f << "1000.00";
        QTest::newRow("millions") << "."
                                  << "," << 0 << 12345678.f << "12,345,678";
        QTest::newRow("billions") << "."
                                  << "," << 0 << 1234567890.f << "1,234,567,936";
        QTest::newRow("three groups only") << "."
                                           << "," << 0 << 2199023255552.f << "2199,023,255,552";
        QTest::newRow("half away") << "."
                                   << "," << 0 << 2.5f << "3";
        QTest::newRow("negative half") << "."
                                       << "," << 0 << -712.5f << "-713";
        QTest::newRow("small negative") << "."
                                        << "," << 2 << -0.004f << "-0.00";
    }
    void formatThousands() {
        QFETCH(QString, decimal);
        QFETCH(QString, thousands);
        QFETCH(int, decimals);
        QFETCH(float, value);
        QFETCH(QString, text);
        ApplyLocaleMarks(decimal, thousands);
        QCOMPARE(FormatThousands(decimals, value), text);
    }

    void moneyText() {
        ApplyLocaleMarks(QStringLiteral("."), QStringLiteral(","));
        QCOMPARE(MoneyText(-712.3), QStringLiteral("$-712"));
        QCOMPARE(MoneyText(180467.4), QStringLiteral("$180,467"));
        QCOMPARE(MoneyText(12.144, 2), QStringLiteral("$12.14"));
    }

    void showIoError() {
        QVERIFY(!ShowIoError(0));
        QVERIFY(fake->messages.isEmpty());
        fake->expect(Icon::Warning, QString::fromLocal8Bit(strerror(ENOENT)), Buttons::Ok);
        QVERIFY(ShowIoError(ENOENT));
    }

private:
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
};

QTEST_GUILESS_MAIN(TestSharedState)
#include "tst_sharedstate.moc"
