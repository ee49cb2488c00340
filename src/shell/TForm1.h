#pragma once

#include "shell/UpdateChecker.h"

#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <array>

class ArtPicture;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTimer;
class QToolBar;
class TLink;
class TPanelLabel;
class TReg;

// The main window of the program: menus, the "Energy Estimator" tool bar, the artwork with
// the drive series column and its document links, and the status line with the project,
// the web link and the update notice.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // The command-line arguments (without the program) decide which project opens first.
    explicit TForm1(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Shows the project state and name in the status line.
    void RefreshStatusLine();
    // Opens a help topic ("HLP_CONTENTS", "STEP1" ...) in the user's browser.
    void GetHelp(const QString& topic);
    // The user's update check, from the update notice or "Check for updates...".
    void AutoUpdateClick();
    // Shows the recent project files that still exist as "&File" items.
    void RefreshRecentMenu();

    // The wizard's project name field, read by RefreshStatusLine.
    void setProjectNameField(QLineEdit* field) { projectNameField = field; }
    // The welcome screen, shown once at start-up.
    void setWelcomeScreen(QDialog* screen) { welcomeScreen = screen; }
    // The estimation wizard, shown again by "Active Project".
    void setEstimationWizard(QDialog* window) { wizard = window; }

    // Menu and tool bar commands.
    QAction* NewProject;
    QAction* OpenProject;
    QAction* SaveAs;
    QAction* SaveProject;
    QAction* Properties;
    std::array<QAction*, 4> HIS{};
    QAction* Exit1;
    QAction* FAN_ANALYSIS;
    QAction* PUMP_ANALYSIS;
    QAction* CalculatorItem;
    QAction* HelpItem;
    QAction* VisitWeb;
    QAction* CheckForUpdates;
    QAction* AboutItem;
    QAction* ActiveProject;
    QToolBar* EnergyEstimator;

    // Client area.
    ArtPicture* Picture;
    QWidget* RightColumn;
    QLabel* Title;
    QPlainTextEdit* Memo1;
    TLink* DocumentLink1;
    TLink* DocumentLink03;
    TLink* DocumentLink05;
    TLink* DocumentLink02;
    TLink* DocumentLink04;
    TLink* DocumentLink; // hidden opener of the documents
    TLink* Calculator;   // hidden, opens the calculator

    // Status line.
    QLabel* StatusPanel1;
    QLabel* StatusPanel3;
    TLink* URL;
    TPanelLabel* STATUSPANEL4;

    QTimer* Timer1;
    QTimer* CheckUpdateStartTimer;
    QTimer* FlashTimer;
    UpdateChecker* AutoUpgraderPro1;
    TReg* REGIST;

    // Start-up state read from the settings store at the first show.
    bool FirstRun = true;
    bool ShowWelcomeAtStart = true;

    // Neither the menu bar nor the tool bar can be hidden: no menu to do it with.
    QMenu* createPopupMenu() override;

    // The document of a link, relative to the program folder.
    static QString DocumentFile(const TLink* link);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const QStringList& arguments);
    void FormShow();
    void createCommands();
    void createMenus();
    void createToolBar();
    void createClientArea();
    void createStatusLine();
    void createTimers();
    void restoreBarLayout();
    void saveBarLayout();

    void Timer1Timer();
    void CheckUpdateStartTimerTimer();
    void FlashTimerTimer();
    void UpdateCheckFinished(UpdateChecker::Outcome outcome);
    void DocumentLinkClick(TLink* link);
    void ActiveProjectClick();
    void AboutClick();

    QPointer<QLineEdit> projectNameField;
    QPointer<QDialog> welcomeScreen;
    QPointer<QDialog> wizard;
    bool automaticCheckRunning = false;
    bool firstShowDone = false;
};

// The main window of the running program.
inline TForm1* Form1 = nullptr;
