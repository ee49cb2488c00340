#include "FakeDesktop.h"
#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"
#include "core/ParameterTable.h"
#include "core/SharedState.h"
#include "setup/SetupOptions.h"
#include "shell/ArtPicture.h"
#include "shell/TAboutBox.h"
#include "shell/TForm1.h"
#include "shell/TLink.h"
#include "shell/TReg.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <memory>

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

const QString NoProjectText = QStringLiteral(
    "There is currently no active project. Start a new project by clicking on the \"New "
    "Project\" button.");
const QString AutomaticRunningText = QStringLiteral("Automatic Update is currently running.");

// Stands in for the welcome screen: counts its shows, leaves with a chosen answer.
class CountingDialog : public QDialog {
public:
    int shows = 0;
    int choice = 0;

protected:
    void showEvent(QShowEvent* event) override {
        ++shows;
        Shared.WelcomeChoice = choice;
        QDialog::showEvent(event);
        QTimer::singleShot(0, this, &QDialog::reject);
    }
};

QByteArray infoFile(const QString& version) {
    return "[Update]\nVersion=" + version.toUtf8() + "\nURL=https://updates.example.com/new\n";
}

bool writeFile(const QString& name, const QByteArray& content = "x") {
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        fake = std::make_unique<FakeDesktop>();
        fake->programDir = Shared.ProgramFolder;
        server = std::make_unique<LoopbackHttpServer>();
        QVERIFY(server->isListening());
        qputenv("ENERVANE_UPDATE_URL", server->address().toUtf8());
        store.Path = SetupKeyPath;
        Setup = SetupOptions{};
        oldPath = qgetenv("PATH");
    }
    void cleanup() {
        form.reset();
        qputenv("PATH", oldPath);
        qunsetenv("ENERVANE_UPDATE_URL");
        server.reset();
        QVERIFY(fake->allShown());
        fake.reset();
        env.reset();
    }

    void creationDefinesTheTableAndTheCurrency() {
        Shared.CurrencySymbol = QStringLiteral("EUR");
        form = std::make_unique<TForm1>();
        QCOMPARE(ParameterCount(), 20);
        QCOMPARE(Shared.CurrencySymbol, QStringLiteral("$"));
        QCOMPARE(Form1, form.get());
        QCOMPARE(form->windowTitle(), QStringLiteral("QVN DRV742 Enervane"));
        QWidget* client = form->centralWidget();
        QCOMPARE(client->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(form->width(), 1000);
        form.reset();
        QCOMPARE(Form1, nullptr);
    }

    void argumentsAreJoined_data() {
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<bool>("found");
        // The first piece is taken below the test's folder.
        QTest::newRow("path with a blank in two halves") << QStringList{"/My", "Plant.KSF"} << true;
        QTest::newRow("whole path") << QStringList{"/My Plant.KSF"} << true;
        QTest::newRow("two blanks are not one") << QStringList{"/My ", "Plant.KSF"} << false;
        QTest::newRow("names no file") << QStringList{"/nothing", "here.KSF"} << false;
        QTest::newRow("a folder is no file") << QStringList{""} << false;
    }
    void argumentsAreJoined() {
        QFETCH(QStringList, pieces);
        QFETCH(bool, found);
        QVERIFY(writeFile(env->file(QStringLiteral("My Plant.KSF"))));
        QStringList arguments = pieces;
        arguments[0] = env->path() + arguments[0];
        form = std::make_unique<TForm1>(arguments);
        QCOMPARE(Shared.CommandLineFile, arguments.join(QLatin1Char(' ')));
        QCOMPARE(Shared.CommandLineFileFound, found);
    }

    void noArgumentsKeepsTheFileName() {
        form = std::make_unique<TForm1>();
        QVERIFY(Shared.CommandLineFile.isEmpty());
        QVERIFY(!Shared.CommandLineFileFound);
    }

    // The welcome screen at start-up, from the two flags of the store and the command line.
    void welcomeAtStart_data() {
        QTest::addColumn<QString>("firstRun"); // "PRG" "RS"; empty = not stored
        QTest::addColumn<QString>("showFlag"); // "PROGRAM" "L6"
        QTest::addColumn<bool>("commandLineFile");
        QTest::addColumn<bool>("shown");
        QTest::newRow("nothing stored") << ""
                                        << "" << false << true;
        QTest::newRow("seen, wanted") << "0"
                                      << "1" << false << true;
        QTest::newRow("seen, not wanted") << "0"
                                          << "0" << false << false;
        QTest::newRow("never seen, not wanted") << "1"
                                                << "0" << false << true;
        QTest::newRow("unreadable flags take defaults") << "yes"
                                                        << "" << false << true;
        QTest::newRow("command-line file wins") << ""
                                                << "" << true << false;
        QTest::newRow("command-line file, all flags") << "1"
                                                      << "1" << true << false;
    }
    void welcomeAtStart() {
        QFETCH(QString, firstRun);
        QFETCH(QString, showFlag);
        QFETCH(bool, commandLineFile);
        QFETCH(bool, shown);
        store.WriteString(QStringLiteral("PROGRAM"), QStringLiteral("L8"), QStringLiteral("0"));
        if (!firstRun.isEmpty())
            store.WriteString(QStringLiteral("PRG"), QStringLiteral("RS"), firstRun);
        if (!showFlag.isEmpty())
            store.WriteString(QStringLiteral("PROGRAM"), QStringLiteral("L6"), showFlag);
        QStringList arguments;
        if (commandLineFile) {
            QVERIFY(writeFile(env->file(QStringLiteral("plant.KSF"))));
            arguments << env->file(QStringLiteral("plant.KSF"));
        }
        form = std::make_unique<TForm1>(arguments);
        CountingDialog welcome;
        form->setWelcomeScreen(&welcome);
        showForm();
        QCOMPARE(form->Timer1->interval(), 10);
        QTest::qWait(100);
        QCOMPARE(welcome.shows, shown ? 1 : 0);
        QVERIFY(!form->Timer1->isActive());
        // Only once per run.
        form->hide();
        form->show();
        QTest::qWait(50);
        QCOMPARE(welcome.shows, shown ? 1 : 0);
    }

    void welcomeChoiceRunsTheCommand() {
        store.WriteString(QStringLiteral("PROGRAM"), QStringLiteral("L8"), QStringLiteral("0"));
        form = std::make_unique<TForm1>();
        CountingDialog welcome;
        welcome.choice = 2;
        form->setWelcomeScreen(&welcome);
        // Enabled for this test only: the open command itself is not this window's work.
        form->OpenProject->setEnabled(true);
        int opened = 0;
        connect(form->OpenProject, &QAction::triggered, this, [&opened] { ++opened; });
        showForm();
        QTRY_COMPARE(welcome.shows, 1);
        QTRY_COMPARE(opened, 1);
    }

    void firstShowWritesAndReadsTheStore() {
        store.WriteString(QStringLiteral("PROGRAM"), QStringLiteral("L8"), QStringLiteral("0"));
        const QString recent = env->file(QStringLiteral("recent.KSF"));
        QVERIFY(writeFile(recent));
        store.WriteString(QStringLiteral("FHIS"), QStringLiteral("H1"), recent);
        store.WriteString(QStringLiteral("FHIS"), QStringLiteral("H3"),
                          QStringLiteral("/gone.KSF"));
        form = std::make_unique<TForm1>();
        showForm();
        QCOMPARE(store.ReadString(QStringLiteral("PRG"), QStringLiteral("PROGRAMPATH"), {}),
                 Shared.ProgramFolder);
        QCOMPARE(store.ReadString(QStringLiteral("PRG"), QStringLiteral("PROGRAMVERSION"), {}),
                 QStringLiteral("1.005.10"));
        QCOMPARE(Shared.RecentFiles[0], recent);
        QCOMPARE(Shared.RecentFiles[1], QString());
        QCOMPARE(Shared.RecentFiles[2], QStringLiteral("/gone.KSF"));
        // The start-up itself does not decide the welcome flag: the welcome screen does.
        QCOMPARE(store.ReadString(QStringLiteral("PRG"), QStringLiteral("RS"), QStringLiteral("-")),
                 QStringLiteral("-"));
        // Existing recent files are listed, missing ones leave a gap.
        QVERIFY(form->HIS[0]->isVisible());
        QCOMPARE(form->HIS[0]->text(), recent);
        QVERIFY(!form->HIS[1]->isVisible());
        QVERIFY(!form->HIS[2]->isVisible());
        QCOMPARE(form->StatusPanel1->text(), QStringLiteral("Project Name: <No Name>"));
    }

    void recentFileCaptionIsTheWholePath() {
        // An ampersand in a folder name is part of the path, not an access key.
        QVERIFY(QDir().mkpath(env->file(QStringLiteral("R&D"))));
        const QString recent = env->file(QStringLiteral("R&D/a&b.KSF"));
        QVERIFY(writeFile(recent));
        form = std::make_unique<TForm1>();
        Shared.RecentFiles = {recent, QString(), QString(), QString()};
        form->RefreshRecentMenu();
        QVERIFY(form->HIS[0]->isVisible());
        QCOMPARE(form->HIS[0]->iconText(), recent);
    }

    void recentDuplicatesAreListedOnce() {
        const QString recent = env->file(QStringLiteral("a.KSF"));
        QVERIFY(writeFile(recent));
        form = std::make_unique<TForm1>();
        Shared.RecentFiles = {recent, recent, QStringLiteral("*") + recent, recent};
        form->RefreshRecentMenu();
        QVERIFY(form->HIS[0]->isVisible());
        QVERIFY(!form->HIS[1]->isVisible());
        QVERIFY(!form->HIS[2]->isVisible());
        QVERIFY(!form->HIS[3]->isVisible());
    }

    void commands_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("new") << "NewProject"
                             << "&New Project"
                             << "New Project"
                             << "" << false;
        QTest::newRow("open") << "OpenProject"
                              << "Open Project"
                              << "Open Project"
                              << "Ctrl+O" << false;
        QTest::newRow("save as") << "SaveAs"
                                 << "Save &As..."
                                 << "Save As"
                                 << "" << false;
        QTest::newRow("save") << "SaveProject"
                              << "Save Project"
                              << "Save Project"
                              << "Ctrl+S" << false;
        QTest::newRow("properties") << "Properties"
                                    << "Properties"
                                    << "Properties"
                                    << "" << false;
        QTest::newRow("recent 1") << "HIS1"
                                  << "Report 1"
                                  << "Report 1"
                                  << "" << false;
        QTest::newRow("recent 2") << "HIS2"
                                  << "Report 2"
                                  << "Reopen quote"
                                  << "" << false;
        QTest::newRow("recent 4") << "HIS4"
                                  << "Report 4"
                                  << "Reopen quote"
                                  << "" << false;
        QTest::newRow("exit") << "Exit1"
                              << "E&xit"
                              << "Exit"
                              << "" << true;
        QTest::newRow("fan") << "FAN_ANALYSIS"
                             << "Fan Application"
                             << "Fan Application"
                             << "" << false;
        QTest::newRow("pump") << "PUMP_ANALYSIS"
                              << "Pump Application"
                              << "Pump Application"
                              << "" << false;
        QTest::newRow("calculator") << "CalculatorItem"
                                    << "Calculator"
                                    << "Calculator"
                                    << "" << true;
        QTest::newRow("help") << "HelpItem"
                              << "Help"
                              << "Help"
                              << "F1" << true;
        QTest::newRow("web") << "VisitWeb"
                             << "Visit us on the web"
                             << "Visit us on the web"
                             << "" << true;
        QTest::newRow("updates") << "CheckForUpdates"
                                 << "Check for updates..."
                                 << "Check for updates"
                                 << "" << true;
        QTest::newRow("about") << "AboutItem"
                               << "About"
                               << "About"
                               << "" << true;
        QTest::newRow("active") << "ActiveProject"
                                << "Active Project"
                                << "Active Project"
                                << "" << true;
    }
    void commands() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(QString, shortcut);
        QFETCH(bool, enabled);
        form = std::make_unique<TForm1>();
        auto* action = form->findChild<QAction*>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->toolTip(), hint);
        QCOMPARE(action->shortcut().toString(), shortcut);
        QCOMPARE(action->isEnabled(), enabled);
    }

    void menus() {
        form = std::make_unique<TForm1>();
        QStringList titles;
        QList<QStringList> items;
        for (QAction* top : form->menuBar()->actions()) {
            titles << top->text();
            QStringList entries;
            for (QAction* item : top->menu()->actions())
                entries << (item->isSeparator() ? QStringLiteral("|") : item->text());
            items << entries;
        }
        QCOMPARE(titles, (QStringList{"&File", "&Energy Estimation", "&Tools", "&Help"}));
        QCOMPARE(items[0], (QStringList{"&New Project", "|", "Open Project", "Save &As...",
                                        "Save Project", "|", "Properties", "|", "Report 1",
                                        "Report 2", "Report 3", "Report 4", "|", "E&xit"}));
        QCOMPARE(items[1], (QStringList{"Fan Application", "Pump Application"}));
        QCOMPARE(items[2], (QStringList{"Calculator"}));
        QCOMPARE(items[3], (QStringList{"Help", "|", "Visit us on the web", "|",
                                        "Check for updates...", "|", "About"}));
    }

    void toolBar() {
        form = std::make_unique<TForm1>();
        QToolBar* bar = form->EnergyEstimator;
        QCOMPARE(bar->windowTitle(), QStringLiteral("Energy Estimator"));
        QVERIFY(!bar->isMovable());
        QVERIFY(!bar->isFloatable());
        QCOMPARE(form->toolBarArea(bar), Qt::TopToolBarArea);
        QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(bar->iconSize().height() >= 32);
        QCOMPARE(bar->actions(), (QList<QAction*>{form->NewProject, form->OpenProject,
                                                  form->SaveProject, form->ActiveProject}));
        for (QAction* action : bar->actions())
            QVERIFY(!action->icon().isNull());
        // No menu to hide the bars with.
        QCOMPARE(form->createPopupMenu(), nullptr);
    }

    void toolBarLayoutIsKeptInTheStore() {
        store.WriteString(QStringLiteral("PROGRAM"), QStringLiteral("L8"), QStringLiteral("0"));
        form = std::make_unique<TForm1>();
        showForm();
        form->close();
        TReg bars;
        bars.Path = QStringLiteral("\\SOFTWARE\\QVN\\NVX\\MENUG\\");
        QVERIFY(bars.storeFileName().endsWith(QLatin1String("QVN/NVX/MENUG.ini")));
        const QString layout =
            bars.ReadString(QStringLiteral("TOOLBARS"), QStringLiteral("LAYOUT"), QString());
        QVERIFY(!layout.isEmpty());
        // A damaged layout is ignored and the bar stays at the top.
        bars.WriteString(QStringLiteral("TOOLBARS"), QStringLiteral("LAYOUT"),
                         QStringLiteral("garbage!"));
        form = std::make_unique<TForm1>();
        QCOMPARE(form->toolBarArea(form->EnergyEstimator), Qt::TopToolBarArea);
        QVERIFY(!form->EnergyEstimator->isHidden());
    }

    void rightColumn() {
        form = std::make_unique<TForm1>();
        QCOMPARE(form->RightColumn->width(), 239);
        QCOMPARE(form->Title->text(), QStringLiteral(" DRV742"));
        QVERIFY(form->Title->font().bold());
        QVERIFY(form->Memo1->isReadOnly());
        QVERIFY(!form->Memo1->toPlainText().isEmpty());
        const QStringList names{"DocumentLink1", "DocumentLink03", "DocumentLink05",
                                "DocumentLink02", "DocumentLink04"};
        const QStringList captions{"DRV742 Brochure", "DRV742 Technical Catalog", "System Packages",
                                   "Drive Options", "Saving Tips"};
        int lastY = -1;
        showFormWithoutChecks();
        for (int i = 0; i < names.size(); ++i) {
            auto* link = form->findChild<TLink*>(names[i]);
            QVERIFY(link);
            QCOMPARE(link->text(), captions[i]);
            QVERIFY(link->font().underline());
            QCOMPARE(link->font().pixelSize(), 13);
            QCOMPARE(link->HoverColor, QColor(Qt::red));
            QVERIFY(link->y() > lastY); // top to bottom in this order
            lastY = link->y();
        }
        QVERIFY(form->Calculator->isHidden());
        QCOMPARE(form->Calculator->URL, QStringLiteral("calc.exe"));
        QVERIFY(form->DocumentLink->isHidden());
        QVERIFY(form->Picture->isLoaded());
    }

    void documentLinks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::newRow("brochure") << "DocumentLink1"
                                  << "DRV742BR.pdf";
        QTest::newRow("catalog") << "DocumentLink03"
                                 << "DRV742TC.pdf";
        QTest::newRow("packages") << "DocumentLink05"
                                  << "DRV742SP.pdf";
        QTest::newRow("options") << "DocumentLink02"
                                 << "DRV742DO.pdf";
        QTest::newRow("tips") << "DocumentLink04"
                              << "SavingTips.pdf";
    }
    void documentLinks() {
        QFETCH(QString, name);
        QFETCH(QString, file);
        showFormWithoutChecks();
        auto* link = form->findChild<TLink*>(name);
        QVERIFY(link);
        // Missing: a plain message and nothing opened.
        fake->expect(Icon::None, QStringLiteral("Unable to locate document!"), Buttons::Ok);
        QTest::mouseClick(link, Qt::LeftButton);
        QVERIFY(fake->allShown());
        QVERIFY(fake->opened.isEmpty());
        // Present: opened through the shell.
        const QString path = Shared.ProgramFolder + QLatin1Char('/') + file;
        QVERIFY(writeFile(path, "%PDF-1.4"));
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(fake->opened, QStringList{QStringLiteral("OPEN ") + path});
    }

    void statusLine() {
        showFormWithoutChecks();
        QStatusBar* line = form->statusBar();
        QCOMPARE(line->height(), 21);
        QCOMPARE(form->StatusPanel1->width(), 329);
        QCOMPARE(form->StatusPanel3->width(), 81);
        QCOMPARE(form->URL->width(), 147);
        QCOMPARE(form->STATUSPANEL4->width(), 164);
        QVERIFY(form->StatusPanel1->x() < form->StatusPanel3->x());
        QVERIFY(form->StatusPanel3->x() < form->URL->x());
        form->STATUSPANEL4->show();
        QTRY_VERIFY(form->URL->x() < form->STATUSPANEL4->x());
        QVERIFY(form->STATUSPANEL4->font().bold());
        QVERIFY(form->STATUSPANEL4->alignment() & Qt::AlignRight);
        QCOMPARE(form->URL->toolTip(), QStringLiteral("Click here to visit our website"));
        QCOMPARE(form->URL->HoverColor, QColor(Qt::black));
        QVERIFY(form->URL->URL.startsWith(QLatin1String("https://")));
        QVERIFY(!form->URL->text().isEmpty());
        QCOMPARE(form->STATUSPANEL4->toolTip(), QStringLiteral("Click here to update software"));
    }

    void refreshStatusLine_data() {
        QTest::addColumn<bool>("active");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("panel1");
        QTest::addColumn<QString>("panel3");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("no project, empty name") << false << ""
                                                << "Project Name: <No Name>"
                                                << "Not Active" << QColor(Qt::black);
        QTest::newRow("blanks only are a name") << false << "   "
                                                << "Project Name:    "
                                                << "Not Active" << QColor(Qt::black);
        QTest::newRow("active, named") << true << "Cooling tower fan"
                                       << "Project Name: Cooling tower fan"
                                       << "Active" << QColor(Qt::red);
        QTest::newRow("markup is text") << true << "<b>Pump</b> <img src=\"x.png\">"
                                        << "Project Name: <b>Pump</b> <img src=\"x.png\">"
                                        << "Active" << QColor(Qt::red);
    }
    void refreshStatusLine() {
        QFETCH(bool, active);
        QFETCH(QString, name);
        QFETCH(QString, panel1);
        QFETCH(QString, panel3);
        QFETCH(QColor, colour);
        form = std::make_unique<TForm1>();
        QCOMPARE(form->StatusPanel1->text(), QStringLiteral(" Project: Drive System 0001"));
        QLineEdit projectName;
        projectName.setText(name);
        form->setProjectNameField(&projectName);
        Shared.ProjectActive = active;
        form->RefreshStatusLine();
        QCOMPARE(form->StatusPanel1->text(), panel1);
        // Shown as typed: a name that looks like markup is not rendered as markup.
        QCOMPARE(form->StatusPanel1->textFormat(), Qt::PlainText);
        QCOMPARE(form->StatusPanel3->text(), panel3);
        QCOMPARE(form->StatusPanel3->palette().color(QPalette::WindowText), colour);
    }

    void activeProjectWithoutProject() {
        form = std::make_unique<TForm1>();
        Shared.ProjectActive = false;
        fake->expect(Icon::Information, NoProjectText, Buttons::Ok);
        form->ActiveProject->trigger();
    }

    void activeProjectShowsTheWizard() {
        form = std::make_unique<TForm1>();
        CountingDialog wizard;
        form->setEstimationWizard(&wizard);
        Shared.ProjectActive = true;
        form->ActiveProject->trigger();
        QCOMPARE(wizard.shows, 1);
    }

    void helpCommandOpensTheContents() {
        form = std::make_unique<TForm1>();
        const QString page = Shared.ProgramFolder + QStringLiteral("/QVN_EE32/HLP_CONTENTS.htm");
        QVERIFY(QDir().mkpath(Shared.ProgramFolder + QStringLiteral("/QVN_EE32")));
        QVERIFY(writeFile(page, "<html></html>"));
        form->HelpItem->trigger();
        QCOMPARE(fake->opened, QStringList{QStringLiteral("OPEN ") + page});
    }

    void visitUsOnTheWeb() {
        showFormWithoutChecks();
        form->VisitWeb->trigger();
        QCOMPARE(fake->opened, QStringList{QStringLiteral("OPEN ") + form->URL->URL});
    }

    void calculatorCommand() {
        const QString bin = env->path() + QStringLiteral("/bin");
        QVERIFY(QDir().mkpath(bin));
        qputenv("PATH", QFile::encodeName(bin));
        form = std::make_unique<TForm1>();
        fake->expect(Icon::Information,
                     QStringLiteral("No calculator program was found on this computer. Install "
                                    "one, for example gnome-calculator or kcalc."),
                     Buttons::Ok);
        form->CalculatorItem->trigger();
        QVERIFY(fake->programs.isEmpty());

        const QString kcalc = bin + QStringLiteral("/kcalc");
        QVERIFY(writeFile(kcalc, "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(kcalc, QFile::ReadOwner | QFile::ExeOwner));
        form->CalculatorItem->trigger();
        QCOMPARE(fake->programs.size(), 1);
        QCOMPARE(fake->programs[0].first, kcalc);
        QVERIFY(fake->opened.isEmpty());
    }

    void aboutCommandShowsTheAboutBox() {
        form = std::make_unique<TForm1>();
        TAboutBox about(form.get());
        QTimer::singleShot(0, &about, [&about] {
            QVERIFY(about.isVisible());
            about.reject();
        });
        form->AboutItem->trigger();
        QCOMPARE(about.Version->text(), QStringLiteral("Version: 1.005.10"));
    }

    // The update notice in the status line.
    void automaticCheckOff() {
        store.WriteString(QStringLiteral("PROGRAM"), QStringLiteral("L8"), QStringLiteral("0"));
        form = std::make_unique<TForm1>();
        showForm();
        QVERIFY(form->STATUSPANEL4->isHidden());
        QVERIFY(!form->CheckUpdateStartTimer->isActive());
        // The user check still works.
        server->answer(200, infoFile(QStringLiteral("1.005.10")));
        fake->expect(Icon::Information,
                     QStringLiteral("There is no update available. You are using the latest "
                                    "version of QVN DRV742 Enervane (Version 1.005.10)."),
                     Buttons::Ok);
        form->CheckForUpdates->trigger();
        QVERIFY(!form->CheckForUpdates->isEnabled()); // until the check has answered
        QTRY_VERIFY(fake->allShown());
        QTRY_VERIFY(form->CheckForUpdates->isEnabled());
        QVERIFY(form->STATUSPANEL4->isHidden());
    }

    void clickWhileTheAutomaticCheckWaits() {
        form = std::make_unique<TForm1>();
        showForm();
        QCOMPARE(form->CheckUpdateStartTimer->interval(), 3000);
        QVERIFY(form->CheckUpdateStartTimer->isActive());
        QVERIFY(form->STATUSPANEL4->isVisible());
        QCOMPARE(form->STATUSPANEL4->text(), QStringLiteral("Checking for updates..."));
        fake->expect(Icon::None, AutomaticRunningText, Buttons::Ok);
        QTest::mouseClick(form->STATUSPANEL4, Qt::LeftButton);
        QVERIFY(fake->allShown());
        // The menu command says the same while the check has not finished.
        fake->expect(Icon::None, AutomaticRunningText, Buttons::Ok);
        form->CheckForUpdates->trigger();
        QVERIFY(server->requestLines.isEmpty());
    }

    void automaticCheck_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("available");
        QTest::newRow("newer") << 200 << infoFile(QStringLiteral("1.005.11")) << true;
        QTest::newRow("equal") << 200 << infoFile(QStringLiteral("1.005.10")) << false;
        QTest::newRow("older") << 200 << infoFile(QStringLiteral("1.004")) << false;
        QTest::newRow("malformed") << 200 << QByteArray("[Update]\nVersion=new\n") << false;
        QTest::newRow("404") << 404 << QByteArray("no") << false;
    }
    void automaticCheck() {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, available);
        server->answer(status, body);
        form = std::make_unique<TForm1>();
        showForm();
        form->CheckUpdateStartTimer->setInterval(1); // instead of three seconds
        QTRY_COMPARE(server->requestLines.size(), 1);
        QVERIFY(!form->CheckUpdateStartTimer->isActive()); // fires once
        if (!available) {
            QTRY_VERIFY(form->STATUSPANEL4->isHidden());
            QVERIFY(!form->FlashTimer->isActive());
            return; // and no message at all
        }
        QTRY_VERIFY(form->FlashTimer->isActive());
        QCOMPARE(form->FlashTimer->interval(), 500);
        QVERIFY(form->STATUSPANEL4->isVisible());
        QCOMPARE(form->STATUSPANEL4->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(form->STATUSPANEL4->toolTip(), QStringLiteral("Click here to download update."));
        // It blinks: empty, then the notice again.
        QTRY_COMPARE(form->STATUSPANEL4->text(), QString());
        QTRY_COMPARE(form->STATUSPANEL4->text(), QStringLiteral("Update Available"));

        // A click stops the blinking and runs the user check, which asks and downloads.
        fake->expect(Icon::Question,
                     QStringLiteral("A new version of QVN DRV742 Enervane is available.\r\r"
                                    "Installed version: 1.005.10\rNew version: 1.005.11\r\r"
                                    "Do you want to download it now?"),
                     Buttons::YesNo, Answer::Yes);
        QTest::mouseClick(form->STATUSPANEL4, Qt::LeftButton);
        QVERIFY(!form->FlashTimer->isActive());
        QTRY_VERIFY(fake->allShown());
        QTRY_COMPARE(fake->opened,
                     QStringList{QStringLiteral("OPEN https://updates.example.com/new")});
        QCOMPARE(server->requestLines.size(), 2);
    }

    void automaticCheckWithServerDown() {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        qputenv("ENERVANE_UPDATE_URL",
                QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort()).toUtf8());
        closed.close();
        form = std::make_unique<TForm1>();
        showForm();
        form->CheckUpdateStartTimer->setInterval(1);
        // Forbidden messages: the failure only hides the notice.
        QTRY_VERIFY(form->STATUSPANEL4->isHidden());
        QVERIFY(fake->messages.isEmpty());
    }

private:
    void showForm() {
        if (!form)
            form = std::make_unique<TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    // For tests about other things: no update check, no welcome screen.
    void showFormWithoutChecks() {
        store.WriteString(QStringLiteral("PROGRAM"), QStringLiteral("L8"), QStringLiteral("0"));
        store.WriteString(QStringLiteral("PROGRAM"), QStringLiteral("L6"), QStringLiteral("0"));
        store.WriteString(QStringLiteral("PRG"), QStringLiteral("RS"), QStringLiteral("0"));
        form = std::make_unique<TForm1>();
        showForm();
    }

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
    std::unique_ptr<LoopbackHttpServer> server;
    std::unique_ptr<TForm1> form;
    TReg store;
    QByteArray oldPath;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
