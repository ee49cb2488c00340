#include "FakeDesktop.h"
#include "HandWrittenProject.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray err;
};

// A fan or pump project as the program writes it, with the given duty cycle.
QByteArray projectText(const QString& application, const QStringList& duty) {
    QStringList values = DefaultProjectValues();
    for (int k = 0; k < 10; ++k)
        values[9 + k] = duty.at(k);
    return HandWrittenProject(application, values);
}

const QStringList GoodDuty{"1", "2", "9", "17", "24", "17", "13", "11", "6", "0"};

int countColour(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

bool hasColour(const QImage& image, const QColor& colour) {
    return countColour(image, colour) > 50;
}

} // namespace

class TestChartCli : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        fake = std::make_unique<FakeDesktop>();
        fan = write(QStringLiteral("fan.KSF"), projectText(QStringLiteral("FAN"), GoodDuty));
        pump = write(QStringLiteral("pump.KSF"), projectText(QStringLiteral("PUMP"), GoodDuty));
    }
    void cleanup() {
        QVERIFY(fake->allShown()); // everything happens in the child process
        fake.reset();
        env.reset();
    }

    void defaultBarChartPng() {
        const QString out = env->file(QStringLiteral("cost.png"));
        const Run run = chart({fan, "--graph", "cost", "--output", out});
        QCOMPARE(run.exitCode, 0);
        const QImage image(out);
        QCOMPARE(image.size(), QSize(800, 500));
        QVERIFY(hasColour(image, QColor(0, 255, 0)));
        QVERIFY(hasColour(image, QColor(255, 0, 0)));
        QVERIFY(hasColour(image, QColor(0, 0, 255)));
        QVERIFY(countColour(image, QColor(192, 192, 192)) > 2000); // the 3-D left wall
    }

    void optionsChangeThePicture() {
        const QString flat = env->file(QStringLiteral("flat.png"));
        QCOMPARE(chart({fan, "--graph", "cost", "--type", "3", "--flat", "--size", "640x400",
                        "--output", flat})
                     .exitCode,
                 0);
        const QImage image(flat);
        QCOMPARE(image.size(), QSize(640, 400));
        const QString deep = env->file(QStringLiteral("deep.png"));
        QCOMPARE(
            chart({fan, "--graph", "cost", "--type", "3", "--size", "640x400", "--output", deep})
                .exitCode,
            0);
        // the silver left wall is there in 3-D only
        const int flatSilver = countColour(image, QColor(192, 192, 192));
        const int deepSilver = countColour(QImage(deep), QColor(192, 192, 192));
        QVERIFY2(deepSilver > 1000 + 5 * flatSilver,
                 qPrintable(QStringLiteral("%1 %2").arg(flatSilver).arg(deepSilver)));
        const QString hatched = env->file(QStringLiteral("hatched.png"));
        QCOMPARE(chart({fan, "--graph", "cost", "--type", "3", "--flat", "--size", "640x400",
                        "--pattern", "--output", hatched})
                     .exitCode,
                 0);
        QVERIFY(QImage(hatched) != image);
        const QString turned = env->file(QStringLiteral("turned.png"));
        QCOMPARE(chart({fan, "--graph", "cost", "--rotation", "300", "--depth", "60", "--output",
                        turned})
                     .exitCode,
                 0);
        QVERIFY(QImage(turned) != QImage(env->file(QStringLiteral("flat.png"))));
    }

    void svgAndPdfKeepTheTexts() {
        const QString svg = env->file(QStringLiteral("hours.svg"));
        QCOMPARE(chart({fan, "--graph", "hours", "--output", svg}).exitCode, 0);
        QVERIFY(
            readAll(svg).contains("Annual Hours of operation per percentage Flow Graph for Fans"));
        const QString pdf = env->file(QStringLiteral("time.pdf"));
        QCOMPARE(chart({pump, "--graph", "time", "--type", "2", "--output", pdf}).exitCode, 0);
        QVERIFY(readAll(pdf).startsWith("%PDF"));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess p;
        p.start(pdftotext, {pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(30000));
        const QByteArray text = p.readAllStandardOutput();
        QVERIFY2(text.contains("Percentage Time per percentage Flow Graph for Pumps"), text);
    }

    void badArguments_data() {
        QTest::addColumn<QStringList>("args");
        const QString f = QStringLiteral("FILE");
        QTest::newRow("no graph") << QStringList{f, "--output", "o.png"};
        QTest::newRow("unknown graph") << QStringList{f, "--graph", "money", "--output", "o.png"};
        QTest::newRow("no output") << QStringList{f, "--graph", "cost"};
        QTest::newRow("bmp") << QStringList{f, "--graph", "cost", "--output", "o.bmp"};
        QTest::newRow("type 7") << QStringList{f,   "--graph",  "cost", "--type",
                                               "7", "--output", "o.png"};
        QTest::newRow("type text")
            << QStringList{f, "--graph", "cost", "--type", "bar", "--output", "o.png"};
        QTest::newRow("rotation") << QStringList{f,     "--graph",  "cost", "--rotation",
                                                 "200", "--output", "o.png"};
        QTest::newRow("depth 0") << QStringList{f,   "--graph",  "cost", "--depth",
                                                "0", "--output", "o.png"};
        QTest::newRow("tiny") << QStringList{f,       "--graph",  "cost", "--size",
                                             "10x10", "--output", "o.png"};
        QTest::newRow("huge") << QStringList{f,           "--graph",  "cost", "--size",
                                             "99999x500", "--output", "o.png"};
        QTest::newRow("size text")
            << QStringList{f, "--graph", "cost", "--size", "big", "--output", "o.png"};
        QTest::newRow("unknown option")
            << QStringList{f, "--graph", "cost", "--colour", "--output", "o.png"};
        QTest::newRow("two files") << QStringList{f, f, "--graph", "cost", "--output", "o.png"};
        QTest::newRow("no file") << QStringList{"--graph", "cost", "--output", "o.png"};
        QTest::newRow("value missing") << QStringList{f, "--graph", "cost", "--output"};
    }
    void badArguments() {
        QFETCH(QStringList, args);
        for (QString& a : args) {
            if (a == QLatin1String("FILE"))
                a = fan;
            else if (a.startsWith(QLatin1String("o.")))
                a = env->file(a);
        }
        const Run run = chart(args);
        QCOMPARE(run.exitCode, 64);
        QVERIFY(run.err.contains("Usage: enervane-cli chart"));
        QVERIFY(!QFile::exists(env->file(QStringLiteral("o.png"))));
    }

    void projectProblems() {
        const QString out = env->file(QStringLiteral("o.png"));
        QCOMPARE(
            chart({env->file(QStringLiteral("missing.KSF")), "--graph", "cost", "--output", out})
                .exitCode,
            1);
        QStringList wrong = GoodDuty;
        wrong[0] = QStringLiteral("2"); // 101 %
        const QString bad = write(QStringLiteral("duty.KSF"), projectText("FAN", wrong));
        QCOMPARE(chart({bad, "--graph", "cost", "--output", out}).exitCode, 2);
        QVERIFY(!QFile::exists(out));
        const Run run = chart({fan, "--graph", "cost", "--output",
                               env->file(QStringLiteral("no/such/folder/o.png"))});
        QCOMPARE(run.exitCode, 3);
        QVERIFY(run.err.contains("cannot write"));
    }

    void help() {
        const Run run = chart({"--help"});
        QCOMPARE(run.exitCode, 0);
    }

private:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(env->file(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return f.fileName();
    }

    Run chart(const QStringList& args) {
        QProcess p;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("XDG_CONFIG_HOME"), env->configFolder());
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(e);
        p.start(QStringLiteral(ENERVANE_CLI), QStringList{QStringLiteral("chart")} + args);
        Run run;
        if (!p.waitForFinished(60000))
            return run;
        run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        run.err = p.readAllStandardError();
        return run;
    }

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
    QString fan;
    QString pump;
};

QTEST_MAIN(TestChartCli)
#include "tst_chartcli.moc"
