#include "TestEnvironment.h"
#include "shell/TReg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

class TestSettingsStore : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void pathMapsToIniFile() {
        TReg reg;
        reg.Path = SetupKeyPath;
        QCOMPARE(reg.storeFileName(), env->configFolder() + QStringLiteral("/QVN/NVX/SETUP.ini"));
        TReg trailing;
        trailing.Path = SetupKeyPath + QStringLiteral("\\");
        QCOMPARE(trailing.storeFileName(), reg.storeFileName());
        TReg machine;
        machine.Path = SetupKeyPath;
        machine.setRoot(TRoot::rHKEY_LOCAL_MACHINE);
        QCOMPARE(machine.Root(), TRoot::rHKEY_LOCAL_MACHINE);
        QVERIFY(machine.storeFileName().endsWith(QStringLiteral("/QVN/NVX/SETUP.ini")));
        QVERIFY(!machine.storeFileName().startsWith(env->configFolder()));
    }

    void writesLeaveExactIniText() {
        TReg reg;
        reg.Path = SetupKeyPath;
        reg.WriteBool(QStringLiteral("PRG"), QStringLiteral("RS"), false);
        reg.WriteBool(QStringLiteral("PROGRAM"), QStringLiteral("L6"), true);
        reg.WriteString(QStringLiteral("FHIS"), QStringLiteral("H1"),
                        QStringLiteral("/home/a b/x.KSF"));
        const QByteArray text = readAll(reg.storeFileName());
        QCOMPARE(text, QByteArray("[FHIS]\nH1=/home/a b/x.KSF\n\n[PRG]\nRS=0\n\n"
                                  "[PROGRAM]\nL6=1\n"));
        QCOMPARE(reg.ReadString(QStringLiteral("PROGRAM"), QStringLiteral("L6"), QString()),
                 QStringLiteral("1"));
    }

    void trailingBackslashAddressesSameKeys() {
        TReg a;
        a.Path = SetupKeyPath + QStringLiteral("\\");
        a.WriteString(QStringLiteral("PRG"), QStringLiteral("PROGRAMVERSION"),
                      QStringLiteral("1.005.10"));
        TReg b;
        b.Path = SetupKeyPath;
        QCOMPARE(b.ReadString(QStringLiteral("PRG"), QStringLiteral("PROGRAMVERSION"), QString()),
                 QStringLiteral("1.005.10"));
    }

    void flagTexts_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("result");
        QTest::newRow("1") << "1" << false << true;
        QTest::newRow("2") << "2" << false << true;
        QTest::newRow("-1") << "-1" << true << false;
        QTest::newRow("0") << "0" << true << false;
        QTest::newRow("yes, default true") << "yes" << true << true;
        QTest::newRow("yes, default false") << "yes" << false << false;
        QTest::newRow("empty, default true") << "" << true << true;
        QTest::newRow("empty, default false") << "" << false << false;
        QTest::newRow("1.5") << "1.5" << false << false;
    }
    void flagTexts() {
        QFETCH(QString, stored);
        QFETCH(bool, defaultValue);
        QFETCH(bool, result);
        TReg reg;
        reg.Path = SetupKeyPath;
        reg.WriteString(QStringLiteral("PROGRAM"), QStringLiteral("L1"), stored);
        QCOMPARE(reg.ReadBool(QStringLiteral("PROGRAM"), QStringLiteral("L1"), defaultValue),
                 result);
    }

    void readsNeverCreate() {
        TReg reg;
        reg.Path = SetupKeyPath;
        QCOMPARE(reg.ReadString(QStringLiteral("PRG"), QStringLiteral("RS"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QVERIFY(reg.ReadBool(QStringLiteral("PRG"), QStringLiteral("RS"), true));
        QVERIFY(!QFileInfo::exists(reg.storeFileName()));
        QVERIFY(!QFileInfo::exists(env->configFolder() + QStringLiteral("/QVN")));
        QVERIFY(!reg.Open());
        reg.Close();

        reg.WriteString(QStringLiteral("PRG"), QStringLiteral("RS"), QStringLiteral("0"));
        const QByteArray before = readAll(reg.storeFileName());
        QCOMPARE(
            reg.ReadString(QStringLiteral("EFF"), QStringLiteral("VFDE100"), QStringLiteral("x")),
            QStringLiteral("x"));
        QCOMPARE(readAll(reg.storeFileName()), before);
    }

    void otherInstanceSeesWrites() {
        TReg a;
        a.Path = SetupKeyPath;
        TReg b;
        b.Path = SetupKeyPath;
        QVERIFY(a.ReadBool(QStringLiteral("PRG"), QStringLiteral("RS"), true));
        b.WriteBool(QStringLiteral("PRG"), QStringLiteral("RS"), false);
        QVERIFY(!a.ReadBool(QStringLiteral("PRG"), QStringLiteral("RS"), true));
    }

    void handEditedTextWithCommasStaysOneText() {
        TReg reg;
        reg.Path = SetupKeyPath;
        QDir().mkpath(QFileInfo(reg.storeFileName()).absolutePath());
        QFile file(reg.storeFileName());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[USER]\nCOMPANY=Smith, Jones and Co\n");
        file.close();
        QCOMPARE(reg.ReadString(QStringLiteral("USER"), QStringLiteral("COMPANY"), QString()),
                 QStringLiteral("Smith, Jones and Co"));
    }

    void unwritableStoreIsSilent() {
        TReg reg;
        reg.Path = SetupKeyPath;
        // A file where the folder should be: the write is skipped without a word.
        QFile blocker(env->configFolder() + QStringLiteral("/QVN"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        reg.WriteString(QStringLiteral("PRG"), QStringLiteral("RS"), QStringLiteral("1"));
        QCOMPARE(reg.ReadString(QStringLiteral("PRG"), QStringLiteral("RS"), QStringLiteral("d")),
                 QStringLiteral("d"));
    }

private:
    std::unique_ptr<TestEnvironment> env;
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
