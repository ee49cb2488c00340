#include "FakeDesktop.h"
#include "HandWrittenProject.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <cmath>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject json;
};

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        fake = std::make_unique<FakeDesktop>();
    }
    void cleanup() {
        QVERIFY(fake->allShown()); // everything happens in the child process
        fake.reset();
        env.reset();
    }

    void fanDefaultsWithPayback() {
        QStringList values = DefaultProjectValues();
        values[7] = "10.0";  // incentive per HP
        values[8] = "20000"; // drive cost
        const Run run = calc(writeFile("fan.KSF", HandWrittenProject("FAN", values)));
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), run.err.constData());
        const QJsonObject& j = run.json;
        QCOMPARE(j["application"].toString(), QStringLiteral("FAN"));
        const QJsonObject inputs = j["inputs"].toObject();
        QCOMPARE(inputs["AnnualHours"].toInt(), 8760);
        QCOMPARE(inputs["EnergyPrice"].toDouble(), 0.1);
        QCOMPARE(inputs["MotorEfficiency"].toDouble(), 0.95);
        QCOMPARE(inputs["DriveEfficiency"].toDouble(), 0.97);
        QCOMPARE(inputs["MotorHP"].toDouble(), 150.0);
        QCOMPARE(inputs["IncentivePerHP"].toDouble(), 10.0);
        QCOMPARE(inputs["DriveCost"].toDouble(), 20000.0);
        QCOMPARE(j["DutyText"].toArray().at(4).toString(), QStringLiteral("24"));
        QCOMPARE(j["DutyPercent"].toArray().at(2).toInt(), 9);
        QCOMPARE(j["Hours"].toArray().size(), 10);
        QVERIFY(std::fabs(j["TotalHours"].toDouble() - 8760) < 1e-6);
        QVERIFY(std::fabs(j["AcrossLineTotalCost"].toDouble() - 8760 * 150 / 0.95 * 0.746 * 0.1) <
                1e-9);

        const QJsonObject methods = j["methods"].toObject();
        QCOMPARE(methods.keys(), (QStringList{"Custom1", "Custom2", "Damper", "Vane", "Vfd"}));
        const QJsonArray vfdCost = methods["Vfd"].toObject()["CostPerHour"].toArray();
        const double expected[10] = {12.14, 8.85, 6.22, 4.17, 2.62, 1.52, 0.78, 0.33, 0.10, 0.01};
        for (int k = 0; k < 10; ++k)
            QCOMPARE(vfdCost.at(k).toDouble(), expected[k]); // 17 digits give the double back
        QCOMPARE(methods["Damper"].toObject()["CostPerHour"].toArray().at(9).toDouble(), 3.57);
        QVERIFY(methods["Vane"].toObject()["available"].toBool());

        const QJsonObject page = j["page"].toObject();
        QCOMPARE(page.size(), 33);
        QCOMPARE(page["VAL1"].toObject()["text"].toString(), QStringLiteral("$103,184"));
        QCOMPARE(page["PAYBACKVALUE1"].toObject()["text"].toString(),
                 QStringLiteral("   0.230 Years"));
        QCOMPARE(page["PAYBACKVALUE2"].toObject()["text"].toString(),
                 QStringLiteral("   0.354 Years"));
        QCOMPARE(page["PAYBACKVALUE3"].toObject()["text"].toString(),
                 QStringLiteral("   0.553 Years"));
        QCOMPARE(page["PAYBACKVALUE3"].toObject()["color"].toString(), QStringLiteral("black"));
        QCOMPARE(page["LINECUSTOM1"].toObject()["visible"].toBool(), false);
        QCOMPARE(page["FLOWM"].toObject()["text"].toString(),
                 QStringLiteral("Payback Estimation: Fan Application "));
    }

    void yearlyIncentive_data() {
        QTest::addColumn<bool>("incentiveSection");
        QTest::addColumn<QString>("kind");
        QTest::newRow("parameter 20 is 0") << true << "0";
        QTest::newRow("file without incentive section") << false << "1";
    }
    void yearlyIncentive() {
        QFETCH(bool, incentiveSection);
        QFETCH(QString, kind);
        QStringList values = DefaultProjectValues();
        values[7] = "10.0";
        values[8] = "20000";
        values[19] = kind;
        const Run run =
            calc(writeFile("yearly.KSF", HandWrittenProject("FAN", values, incentiveSection)));
        QCOMPARE(run.exitCode, 0);
        const QJsonObject page = run.json["page"].toObject();
        QCOMPARE(page["PAYBACKVALUE1"].toObject()["text"].toString(),
                 QStringLiteral("   0.244 Years"));
        QCOMPARE(page["PAYBACKVALUE2"].toObject()["text"].toString(),
                 QStringLiteral("   0.372 Years"));
        QCOMPARE(page["PAYBACKVALUE3"].toObject()["text"].toString(),
                 QStringLiteral("   0.572 Years"));
    }

    void pumpEqualsFan() {
        const Run fan =
            calc(writeFile("fan.KSF", HandWrittenProject("FAN", DefaultProjectValues())));
        const Run pump =
            calc(writeFile("pump.KSF", HandWrittenProject(" Pump ", DefaultProjectValues())));
        QCOMPARE(pump.exitCode, 0);
        QCOMPARE(pump.json["application"].toString(), QStringLiteral("PUMP"));
        const QJsonObject methods = pump.json["methods"].toObject();
        QCOMPARE(methods.keys(), (QStringList{"Custom1", "Custom2", "Valve", "Vfd"}));
        const QJsonObject fanMethods = fan.json["methods"].toObject();
        QCOMPARE(methods["Vfd"].toObject()["TotalCost"].toDouble(),
                 fanMethods["Vfd"].toObject()["TotalCost"].toDouble());
        QCOMPARE(methods["Valve"].toObject()["TotalCost"].toDouble(),
                 fanMethods["Damper"].toObject()["TotalCost"].toDouble());
        const QJsonObject page = pump.json["page"].toObject();
        QCOMPARE(page["LINE4"].toObject()["visible"].toBool(), false);
        QCOMPARE(page["PAYBACKVALUE3"].toObject()["text"].toString(), QString());
        QCOMPARE(page["LINE3"].toObject()["text"].toString(),
                 QStringLiteral("Throttling Valve Control"));
    }

    void setupFromStoreAndZeroCurve() {
        writeSetup("[EFF]\nCUSTOM1=1\nCUSTOM1TITLE=Old Dampers\nCUSTOM2=1\nC2E50=0\n"
                   "C1E100=abc\n");
        QStringList values = DefaultProjectValues();
        values[8] = "20000";
        const Run run = calc(writeFile("fan.KSF", HandWrittenProject("FAN", values)));
        QCOMPARE(run.exitCode, 0);
        const QJsonObject page = run.json["page"].toObject();
        QCOMPARE(page["LINECUSTOM1"].toObject()["text"].toString(), QStringLiteral("Old Dampers"));
        QCOMPARE(page["LINECUSTOM1"].toObject()["visible"].toBool(), true);
        QCOMPARE(page["VALUE4"].toObject()["text"].toString(), QStringLiteral("$-712"));
        QCOMPARE(page["PAYBACKVALUE4"].toObject()["text"].toString(), QStringLiteral("Never"));
        QCOMPARE(page["PAYBACKVALUE4"].toObject()["color"].toString(), QStringLiteral("red"));
        // A zero curve entry: the method is unavailable, never infinite.
        const QJsonObject custom2 = run.json["methods"].toObject()["Custom2"].toObject();
        QCOMPARE(custom2["available"].toBool(), false);
        QCOMPARE(custom2["TotalCost"].toDouble(), 0.0);
        QCOMPARE(page["VALCUSTOM2"].toObject()["text"].toString(), QStringLiteral("Unavailable"));
        QCOMPARE(page["PAYBACKVALUE5"].toObject()["text"].toString(),
                 QStringLiteral("Unavailable"));
        QVERIFY(!run.out.contains("inf") && !run.out.contains("nan"));
        // The malformed stored text was replaced by its default.
        QVERIFY(readAll(setupFile()).contains("C1E100=1.000"));
    }

    void driveEfficiencyZero() {
        writeSetup("[EFF]\nVFDE100=0\n");
        const Run run =
            calc(writeFile("fan.KSF", HandWrittenProject("FAN", DefaultProjectValues())));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.json["methods"].toObject()["Vfd"].toObject()["available"].toBool(), false);
        QCOMPARE(run.json["page"].toObject()["VALUE1"].toObject()["text"].toString(),
                 QStringLiteral("Unavailable"));
        QVERIFY(!run.out.contains("inf") && !run.out.contains("nan"));
    }

    void dutyFailure() {
        QStringList values = DefaultProjectValues();
        values[10] = "1"; // total 99
        const Run run = calc(writeFile("duty.KSF", HandWrittenProject("FAN", values)));
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err, QByteArray("error: Total Duty Cycle Percentages should equal 100% "
                                     "Percentages entered currently equal: 99%\n"));
    }

    void unreadableFiles() {
        Run run = calc(env->file("missing.KSF"));
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err, QByteArray("warning: No such file or directory\n"));

        run = calc(writeFile("noapp.KSF", HandWrittenProject("", DefaultProjectValues())));
        QCOMPARE(run.exitCode, 1);
        // The check pass reports it; the load pass does not run.
        QCOMPARE(run.err, QByteArray("error: Application Information is Missing! Unable to load "
                                     "this file.\n"));

        run = calc(
            writeFile("tower.KSF", HandWrittenProject("COOLING TOWER", DefaultProjectValues())));
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.startsWith("error: "));
        QVERIFY(run.out.isEmpty());
    }

    void readerQuestionsAnsweredOk() {
        QByteArray text = HandWrittenProject("FAN", DefaultProjectValues());
        text.replace("P005=A1-05=150.0;", "P005=A1-05=150.0 ");
        text.replace("P004=A1-04=10.00;", "P004=A1-04=200.0;");
        const Run run = calc(writeFile("bad.KSF", text));
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> lines = run.err.trimmed().split('\n');
        // Each pass asks about the broken line; the load pass also reports the bad value.
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.count("question: Error in line : 18 !"), 2);
        QVERIFY(lines.contains("error: Parameter A1-04 out of range !"));
        QCOMPARE(run.json["inputs"].toObject()["MotorHP"].toDouble(), 150.0);
        QCOMPARE(run.json["inputs"].toObject()["EnergyPrice"].toDouble(), 0.1);
    }

    void thousandsSeparatorFromLocale() {
        const Run run =
            calc(writeFile("fan.KSF", HandWrittenProject("FAN", DefaultProjectValues())),
                 QStringLiteral("de_DE.UTF-8"));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.json["page"].toObject()["VAL1"].toObject()["text"].toString(),
                 QStringLiteral("$103.184"));
        // Numbers in the JSON keep their point and carry 17 significant digits.
        QVERIFY(run.out.contains("\"EnergyPrice\": 0.10000000000000001,"));
        QVERIFY(run.out.contains("\"MotorEfficiency\": 0.94999999999999996,"));
    }

    void helpAndUsage() {
        Run run = exec({"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("calc"));
        run = exec({"calc", "--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("Exit codes"));
        run = exec({});
        QCOMPARE(run.exitCode, 64);
        run = exec({"nosuchcommand"});
        QCOMPARE(run.exitCode, 64);
        QVERIFY(run.err.contains("unknown command"));
        run = exec({"calc"});
        QCOMPARE(run.exitCode, 64);
        run = exec({"calc", "a.KSF", "b.KSF"});
        QCOMPARE(run.exitCode, 64);
    }

private:
    QString writeFile(const char* name, const QByteArray& data) {
        const QString path = env->file(QString::fromLatin1(name));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(data);
        return path;
    }
    QString setupFile() const { return env->configFolder() + QStringLiteral("/QVN/NVX/SETUP.ini"); }
    void writeSetup(const QByteArray& ini) {
        QDir().mkpath(env->configFolder() + QStringLiteral("/QVN/NVX"));
        QFile file(setupFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ini);
    }

    Run exec(const QStringList& args, const QString& locale = QStringLiteral("C.UTF-8")) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), env->configFolder());
        environment.insert(QStringLiteral("TMPDIR"), env->path());
        environment.insert(QStringLiteral("LC_ALL"), locale);
        environment.insert(QStringLiteral("LANG"), locale);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ENERVANE_CLI), args);
        Run run;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return run;
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = process.readAllStandardOutput();
        run.err = process.readAllStandardError();
        if (run.out.startsWith('{')) {
            QJsonParseError error{};
            run.json = QJsonDocument::fromJson(run.out, &error).object();
            if (error.error != QJsonParseError::NoError)
                qWarning("JSON error: %s", qPrintable(error.errorString()));
        }
        return run;
    }
    Run calc(const QString& file, const QString& locale = QStringLiteral("C.UTF-8")) {
        return exec({QStringLiteral("calc"), file}, locale);
    }

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
