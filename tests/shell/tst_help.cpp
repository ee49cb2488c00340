#include "FakeDesktop.h"
#include "TestEnvironment.h"
#include "charts/EstimationCharts.h"
#include "core/SharedState.h"
#include "shell/Help.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using platform::Buttons;
using platform::Icon;

namespace {
QString sourceHelpFolder() {
    return qEnvironmentVariable("ENERVANE_TEST_SOURCE_DIR") + QStringLiteral("/help");
}

bool copyFolder(const QString& from, const QString& to) {
    if (!QDir().mkpath(to))
        return false;
    for (const QString& name : QDir(from).entryList(QDir::Files))
        if (!QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name))
            return false;
    return true;
}
} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        fake = std::make_unique<FakeDesktop>();
        Shared.ProgramFolder = env->path() + QStringLiteral("/program");
        QVERIFY(QDir().mkpath(Shared.ProgramFolder));
        oldPath = qgetenv("PATH");
    }
    void cleanup() {
        qputenv("PATH", oldPath);
        QVERIFY(fake->allShown());
        fake.reset();
        env.reset();
    }

    void topicPages_data() {
        QTest::addColumn<QString>("topic");
        for (const char* topic : {"HLP_CONTENTS", "STEP1", "STEP2", "STEP4", "STEP5", "STEP6"})
            QTest::newRow(topic) << QString::fromLatin1(topic);
    }
    void topicPages() {
        QFETCH(QString, topic);
        QCOMPARE(HelpTopicFile(topic), Shared.ProgramFolder + QStringLiteral("/QVN_EE32/") + topic +
                                           QStringLiteral(".htm"));
        // The installed help holds the page, and GetHelp hands it to the browser.
        QVERIFY(copyFolder(sourceHelpFolder(), HelpFolder()));
        QVERIFY(GetHelp(topic));
        QCOMPARE(fake->opened, QStringList{QStringLiteral("OPEN ") + HelpTopicFile(topic)});
        QVERIFY(fake->messages.isEmpty());
    }

    void missingPageIsReported() {
        fake->expect(Icon::Warning,
                     QStringLiteral("The help page for this topic could not be found:\r%1\r\r"
                                    "Reinstall QVN DRV742 Enervane to restore its help pages.")
                         .arg(Shared.ProgramFolder + QStringLiteral("/QVN_EE32/STEP5.htm")),
                     Buttons::Ok);
        QVERIFY(!GetHelp(QStringLiteral("STEP5")));
        QVERIFY(fake->opened.isEmpty());
    }

    void browserThatFailsIsReported() {
        QVERIFY(copyFolder(sourceHelpFolder(), HelpFolder()));
        fake->shellOpenResult = false;
        fake->expect(Icon::Warning,
                     QStringLiteral("The help page could not be opened in your web browser:\r") +
                         HelpTopicFile(QStringLiteral("STEP1")),
                     Buttons::Ok);
        QVERIFY(!GetHelp(QStringLiteral("STEP1")));
    }

    // Every page is real HTML whose links and style sheet lead somewhere.
    void pagesAreComplete() {
        const QDir folder(sourceHelpFolder());
        const QStringList pages = folder.entryList({QStringLiteral("*.htm")}, QDir::Files);
        QVERIFY(pages.size() >= 6);
        const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"#:]+)"));
        for (const QString& page : pages) {
            QFile file(folder.filePath(page));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            QVERIFY2(html.contains(QLatin1String("<title>")), qPrintable(page));
            QVERIFY2(html.count(QLatin1String("<p")) >= 3, qPrintable(page));
            auto it = reference.globalMatch(html);
            while (it.hasNext()) {
                const QString target = it.next().captured(1);
                QVERIFY2(folder.exists(target), qPrintable(page + QLatin1String(" -> ") + target));
            }
        }
    }

    // The page of the graphs names the graph list's entries as the list shows them.
    void graphPageNamesTheListEntries() {
        QFile file(sourceHelpFolder() + QStringLiteral("/STEP5.htm"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll()).simplified();
        for (const QString& entry : GraphSelectionTexts())
            QVERIFY2(html.contains(entry), qPrintable(entry));
    }

    // The build copies the pages beside the program, under the help's base name.
    void helpLiesBesideTheProgram() {
        const QDir built(QStringLiteral(ENERVANE_BUILT_HELP));
        QCOMPARE(built.dirName(), QStringLiteral("QVN_EE32"));
        for (const char* topic : {"HLP_CONTENTS", "STEP1", "STEP2", "STEP4", "STEP5", "STEP6"})
            QVERIFY2(built.exists(QString::fromLatin1(topic) + QStringLiteral(".htm")), topic);
        QVERIFY(built.exists(QStringLiteral("help.css")));
    }

    void calculatorIsTheFirstFound() {
        const QString bin = env->path() + QStringLiteral("/bin");
        QVERIFY(QDir().mkpath(bin));
        qputenv("PATH", QFile::encodeName(bin));
        QCOMPARE(FindCalculator(), QString());
        // xcalc is last in the list; gnome-calculator wins once it is there.
        for (const QString& name : {QStringLiteral("xcalc"), QStringLiteral("gnome-calculator")}) {
            QFile program(bin + QLatin1Char('/') + name);
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.write("#!/bin/sh\n");
            program.close();
            QVERIFY(program.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
            QCOMPARE(FindCalculator(), program.fileName());
        }
        QVERIFY(OpenLinkTarget(QStringLiteral("CALC.EXE")));
        QCOMPARE(fake->programs.size(), 1);
        QCOMPARE(fake->programs[0].first, bin + QStringLiteral("/gnome-calculator"));
        QVERIFY(fake->opened.isEmpty());
    }

private:
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
    QByteArray oldPath;
};

QTEST_GUILESS_MAIN(TestHelp)
#include "tst_help.moc"
