#include "shell/TForm1.h"

#include "core/ParameterTable.h"
#include "core/SharedState.h"
#include "platform/Desktop.h"
#include "setup/SetupOptions.h"
#include "shell/ArtPicture.h"
#include "shell/Help.h"
#include "shell/MakerInfo.h"
#include "shell/TAboutBox.h"
#include "shell/TLink.h"
#include "shell/TReg.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString CheckingText = QStringLiteral("Checking for updates...");
const QString AvailableText = QStringLiteral("Update Available");
// Where the tool bar keeps its layout in the settings store.
const QString BarLayoutPath = QStringLiteral("\\SOFTWARE\\QVN\\NVX\\MENUG\\");
const QString BarLayoutSection = QStringLiteral("TOOLBARS");
const QString BarLayoutValue = QStringLiteral("LAYOUT");
constexpr int BarLayoutVersion = 1;

QAction* command(QObject* owner, const char* name, const QString& caption, const QString& hint,
                 const QKeySequence& shortcut = {}) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// The document links of the right column, top to bottom: object name, caption, file.
struct DocumentEntry {
    const char* name;
    const char* caption;
    const char* file;
};
constexpr std::array<DocumentEntry, 5> Documents{{
    {"DocumentLink1", "DRV742 Brochure", "DRV742BR.pdf"},
    {"DocumentLink03", "DRV742 Technical Catalog", "DRV742TC.pdf"},
    {"DocumentLink05", "System Packages", "DRV742SP.pdf"},
    {"DocumentLink02", "Drive Options", "DRV742DO.pdf"},
    {"DocumentLink04", "Saving Tips", "SavingTips.pdf"},
}};

} // namespace

TForm1::TForm1(const QStringList& arguments, QWidget* parent) : QMainWindow(parent) {
    InitShellArt();
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("QVN DRV742 Enervane"));
    setWindowIcon(QIcon(QStringLiteral(":/shell/art/enervane.svg")));

    REGIST = new TReg(this);
    REGIST->setObjectName(QStringLiteral("REGIST"));
    REGIST->Path = SetupKeyPath;

    AutoUpgraderPro1 = new UpdateChecker(this);
    AutoUpgraderPro1->setObjectName(QStringLiteral("AutoUpgraderPro1"));
    connect(AutoUpgraderPro1, &UpdateChecker::finished, this, &TForm1::UpdateCheckFinished);

    createCommands();
    createMenus();
    createToolBar();
    createClientArea();
    createStatusLine();
    createTimers();
    restoreBarLayout();

    // Client area 1000 x 680 below the menu bar, centred on the screen.
    resize(1000, 680 + menuBar()->sizeHint().height());
    if (const QScreen* display = screen()) {
        const QRect free = display->availableGeometry();
        move(free.center() - QPoint(width() / 2, height() / 2));
    }

    FormCreate(arguments);
}

TForm1::~TForm1() {
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::FormCreate(const QStringList& arguments) {
    Shared.CommandLineFileFound = false;
    // An unquoted path with blanks arrives in pieces: put it together again.
    if (!arguments.isEmpty())
        Shared.CommandLineFile = arguments.join(QLatin1Char(' '));
    if (!Shared.CommandLineFile.isEmpty() && QFileInfo(Shared.CommandLineFile).isFile())
        Shared.CommandLineFileFound = true;
    Shared.CurrencySymbol = QStringLiteral("$");
    DefineAllParameters();
}

void TForm1::createCommands() {
    NewProject =
        command(this, "NewProject", QStringLiteral("&New Project"), QStringLiteral("New Project"));
    NewProject->setIcon(QIcon(QStringLiteral(":/shell/art/new.svg")));
    OpenProject = command(this, "OpenProject", QStringLiteral("Open Project"),
                          QStringLiteral("Open Project"), QKeySequence(Qt::CTRL | Qt::Key_O));
    OpenProject->setIcon(QIcon(QStringLiteral(":/shell/art/open.svg")));
    SaveAs = command(this, "SaveAs", QStringLiteral("Save &As..."), QStringLiteral("Save As"));
    SaveProject = command(this, "SaveProject", QStringLiteral("Save Project"),
                          QStringLiteral("Save Project"), QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveProject->setIcon(QIcon(QStringLiteral(":/shell/art/save.svg")));
    Properties =
        command(this, "Properties", QStringLiteral("Properties"), QStringLiteral("Properties"));
    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral("HIS%1").arg(i + 1);
        HIS[i] = command(this, qPrintable(name), QStringLiteral("Report %1").arg(i + 1),
                         i == 0 ? QStringLiteral("Report 1") : QStringLiteral("Reopen quote"));
        HIS[i]->setVisible(false);
    }
    Exit1 = command(this, "Exit1", QStringLiteral("E&xit"), QStringLiteral("Exit"));
    connect(Exit1, &QAction::triggered, this, &QWidget::close);

    FAN_ANALYSIS = command(this, "FAN_ANALYSIS", QStringLiteral("Fan Application"),
                           QStringLiteral("Fan Application"));
    PUMP_ANALYSIS = command(this, "PUMP_ANALYSIS", QStringLiteral("Pump Application"),
                            QStringLiteral("Pump Application"));

    CalculatorItem =
        command(this, "CalculatorItem", QStringLiteral("Calculator"), QStringLiteral("Calculator"));
    connect(CalculatorItem, &QAction::triggered, this, [this] { Calculator->Click(); });

    HelpItem = command(this, "HelpItem", QStringLiteral("Help"), QStringLiteral("Help"),
                       QKeySequence(Qt::Key_F1));
    connect(HelpItem, &QAction::triggered, this,
            [this] { GetHelp(QStringLiteral("HLP_CONTENTS")); });
    VisitWeb = command(this, "VisitWeb", QStringLiteral("Visit us on the web"),
                       QStringLiteral("Visit us on the web"));
    connect(VisitWeb, &QAction::triggered, this, [this] { URL->Click(); });
    CheckForUpdates = command(this, "CheckForUpdates", QStringLiteral("Check for updates..."),
                              QStringLiteral("Check for updates"));
    connect(CheckForUpdates, &QAction::triggered, this, &TForm1::AutoUpdateClick);
    AboutItem = command(this, "AboutItem", QStringLiteral("About"), QStringLiteral("About"));
    connect(AboutItem, &QAction::triggered, this, &TForm1::AboutClick);

    ActiveProject = command(this, "ActiveProject", QStringLiteral("Active Project"),
                            QStringLiteral("Active Project"));
    ActiveProject->setIcon(QIcon(QStringLiteral(":/shell/art/active.svg")));
    connect(ActiveProject, &QAction::triggered, this, &TForm1::ActiveProjectClick);

    // The project commands, the program setup window and the recent files come with their
    // own windows; until then they are shown but cannot be chosen.
    for (QAction* later :
         {NewProject, OpenProject, SaveAs, SaveProject, Properties, FAN_ANALYSIS, PUMP_ANALYSIS})
        later->setEnabled(false);
    for (QAction* recent : HIS)
        recent->setEnabled(false);
}

void TForm1::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    file->addAction(NewProject);
    file->addSeparator();
    file->addActions({OpenProject, SaveAs, SaveProject});
    file->addSeparator();
    file->addAction(Properties);
    file->addSeparator();
    for (QAction* recent : HIS)
        file->addAction(recent);
    file->addSeparator();
    file->addAction(Exit1);

    QMenu* estimation = bar->addMenu(QStringLiteral("&Energy Estimation"));
    estimation->setObjectName(QStringLiteral("EstimationMenu"));
    estimation->addActions({FAN_ANALYSIS, PUMP_ANALYSIS});

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("ToolsMenu"));
    tools->addAction(CalculatorItem);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    help->addAction(HelpItem);
    help->addSeparator();
    help->addAction(VisitWeb);
    help->addSeparator();
    help->addAction(CheckForUpdates);
    help->addSeparator();
    help->addAction(AboutItem);

    for (QMenu* menu : {file, estimation, tools, help})
        menu->setToolTipsVisible(true);
}

void TForm1::createToolBar() {
    EnergyEstimator = new QToolBar(QStringLiteral("Energy Estimator"), this);
    EnergyEstimator->setObjectName(QStringLiteral("EnergyEstimator"));
    EnergyEstimator->setMovable(false);
    EnergyEstimator->setFloatable(false);
    EnergyEstimator->setIconSize(QSize(32, 32));
    EnergyEstimator->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    EnergyEstimator->addActions({NewProject, OpenProject, SaveProject, ActiveProject});
    addToolBar(Qt::TopToolBarArea, EnergyEstimator);
}

void TForm1::createClientArea() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setAutoFillBackground(true);
    QPalette white = client->palette();
    white.setColor(QPalette::Window, Qt::white);
    client->setPalette(white);

    auto* row = new QHBoxLayout(client);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    Picture = new ArtPicture(QStringLiteral(":/shell/art/main.svg"), client);
    Picture->setObjectName(QStringLiteral("Image1"));
    Picture->setMinimumSize(200, 150);
    row->addWidget(Picture, 1);

    RightColumn = new QWidget(client);
    RightColumn->setObjectName(QStringLiteral("RightColumn"));
    RightColumn->setFixedWidth(239);
    RightColumn->setAutoFillBackground(true);
    RightColumn->setPalette(white);
    row->addWidget(RightColumn);

    auto* column = new QVBoxLayout(RightColumn);
    column->setContentsMargins(12, 16, 12, 16);
    column->setSpacing(8);

    Title = new QLabel(QStringLiteral(" DRV742"), RightColumn);
    Title->setObjectName(QStringLiteral("Title"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(26);
    titleFont.setBold(true);
    Title->setFont(titleFont);
    setTextColour(Title, QColor(0x0b, 0x3d, 0x6e));
    column->addWidget(Title);

    Memo1 = new QPlainTextEdit(DriveSeriesText, RightColumn);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setPalette(white);
    QFont memoFont(QStringLiteral("Arial"));
    memoFont.setPixelSize(13);
    Memo1->setFont(memoFont);
    column->addWidget(Memo1, 1);

    auto* documentsTitle = new QLabel(QStringLiteral("Documents"), RightColumn);
    documentsTitle->setObjectName(QStringLiteral("DocumentsTitle"));
    QFont headFont(QStringLiteral("Arial"));
    headFont.setPixelSize(13);
    headFont.setBold(true);
    documentsTitle->setFont(headFont);
    setTextColour(documentsTitle, QColor(0x0b, 0x3d, 0x6e));
    column->addWidget(documentsTitle);

    QFont linkFont(QStringLiteral("Arial"));
    linkFont.setPixelSize(13);
    linkFont.setUnderline(true);
    std::array<TLink*, 5> links{};
    for (std::size_t i = 0; i < Documents.size(); ++i) {
        auto* link = new TLink(QString::fromLatin1(Documents[i].caption), RightColumn);
        link->setObjectName(QString::fromLatin1(Documents[i].name));
        link->setFont(linkFont);
        link->HoverColor = Qt::red;
        connect(link, &TLink::clicked, this, [this, link] { DocumentLinkClick(link); });
        column->addWidget(link);
        links[i] = link;
    }
    DocumentLink1 = links[0];
    DocumentLink03 = links[1];
    DocumentLink05 = links[2];
    DocumentLink02 = links[3];
    DocumentLink04 = links[4];

    DocumentLink = new TLink(RightColumn);
    DocumentLink->setObjectName(QStringLiteral("DocumentLink"));
    DocumentLink->hide();
    Calculator = new TLink(QStringLiteral("Calculator"), RightColumn);
    Calculator->setObjectName(QStringLiteral("Calculator"));
    Calculator->URL = QStringLiteral("calc.exe");
    Calculator->hide();

    setCentralWidget(client);
}

void TForm1::createStatusLine() {
    QStatusBar* line = statusBar();
    line->setObjectName(QStringLiteral("StatusBar1"));
    line->setFixedHeight(21);

    auto panel = [line](QLabel* label, int width) {
        label->setFixedWidth(width);
        label->setContentsMargins(4, 0, 4, 0);
        line->addWidget(label);
    };

    StatusPanel1 = new QLabel(QStringLiteral(" Project: Drive System 0001"), line);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setTextFormat(Qt::PlainText); // the project name as typed, never markup
    panel(StatusPanel1, 329);

    StatusPanel3 = new QLabel(QStringLiteral("Not Active"), line);
    StatusPanel3->setObjectName(QStringLiteral("StatusPanel3"));
    panel(StatusPanel3, 81);

    URL = new TLink(line);
    URL->setObjectName(QStringLiteral("URL"));
    URL->HoverColor = Qt::black;
    URL->setToolTip(QStringLiteral("Click here to visit our website"));
    panel(URL, 147);

    STATUSPANEL4 = new TPanelLabel(line);
    STATUSPANEL4->setObjectName(QStringLiteral("STATUSPANEL4"));
    STATUSPANEL4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = STATUSPANEL4->font();
    bold.setBold(true);
    STATUSPANEL4->setFont(bold);
    STATUSPANEL4->setToolTip(QStringLiteral("Click here to update software"));
    STATUSPANEL4->setCursor(Qt::PointingHandCursor);
    panel(STATUSPANEL4, 164);
    STATUSPANEL4->hide();
    connect(STATUSPANEL4, &TPanelLabel::clicked, this, &TForm1::AutoUpdateClick);
}

void TForm1::createTimers() {
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    CheckUpdateStartTimer = new QTimer(this);
    CheckUpdateStartTimer->setObjectName(QStringLiteral("CheckUpdateStartTimer"));
    CheckUpdateStartTimer->setInterval(3000);
    connect(CheckUpdateStartTimer, &QTimer::timeout, this, &TForm1::CheckUpdateStartTimerTimer);

    FlashTimer = new QTimer(this);
    FlashTimer->setObjectName(QStringLiteral("FlashTimer"));
    FlashTimer->setInterval(500);
    connect(FlashTimer, &QTimer::timeout, this, &TForm1::FlashTimerTimer);
}

void TForm1::restoreBarLayout() {
    TReg store;
    store.Path = BarLayoutPath;
    const QString text = store.ReadString(BarLayoutSection, BarLayoutValue, QString());
    if (!text.isEmpty())
        restoreState(QByteArray::fromBase64(text.toLatin1()), BarLayoutVersion);
    // Whatever was stored, the bar stays where it belongs and stays visible.
    if (toolBarArea(EnergyEstimator) != Qt::TopToolBarArea)
        addToolBar(Qt::TopToolBarArea, EnergyEstimator);
    EnergyEstimator->setVisible(true);
}

void TForm1::saveBarLayout() {
    TReg store;
    store.Path = BarLayoutPath;
    store.WriteString(BarLayoutSection, BarLayoutValue,
                      QString::fromLatin1(saveState(BarLayoutVersion).toBase64()));
}

QMenu* TForm1::createPopupMenu() {
    // Neither the menu bar nor the tool bar can be hidden by the user.
    return nullptr;
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShowDone) {
        firstShowDone = true;
        FormShow();
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    saveBarLayout();
    event->accept();
}

void TForm1::FormShow() {
    setWindowTitle(QStringLiteral("QVN DRV742 Enervane"));
    URL->setText(MakerWebCaption);
    URL->URL = MakerWebAddress;

    REGIST->Open();
    FirstRun = REGIST->ReadBool(QStringLiteral("PRG"), QStringLiteral("RS"), true);
    REGIST->WriteString(QStringLiteral("PRG"), QStringLiteral("PROGRAMPATH"), Shared.ProgramFolder);
    REGIST->WriteString(QStringLiteral("PRG"), QStringLiteral("PROGRAMVERSION"),
                        Shared.VersionText);
    for (int i = 0; i < 4; ++i)
        Shared.RecentFiles[i] =
            REGIST->ReadString(QStringLiteral("FHIS"), QStringLiteral("H%1").arg(i + 1), QString());
    ShowWelcomeAtStart = REGIST->ReadBool(QStringLiteral("PROGRAM"), QStringLiteral("L6"), true);
    REGIST->Close();

    Load_OPT();

    AutoUpgraderPro1->VersionNumber = Shared.VersionText;
    if (Setup.AutoUpdateCheck) {
        CheckUpdateStartTimer->start();
        STATUSPANEL4->setText(CheckingText);
        STATUSPANEL4->show();
    } else {
        STATUSPANEL4->hide();
    }

    Shared.CommandLineFileFound =
        !Shared.CommandLineFile.isEmpty() && QFileInfo(Shared.CommandLineFile).isFile();
    if (Shared.CommandLineFileFound) {
        // The command-line project is opened here by the project commands (OpenProjectFile);
        // it replaces the welcome screen.
    } else if (ShowWelcomeAtStart || FirstRun) {
        Timer1->start();
    }

    RefreshRecentMenu();
    RefreshStatusLine();
}

void TForm1::Timer1Timer() {
    Timer1->stop();
    if (!welcomeScreen)
        return;
    welcomeScreen->exec();
    switch (Shared.WelcomeChoice) {
    case 1:
        NewProject->trigger();
        break;
    case 2:
        OpenProject->trigger();
        break;
    case 3:
        Properties->trigger();
        break;
    default:
        break;
    }
}

void TForm1::CheckUpdateStartTimerTimer() {
    CheckUpdateStartTimer->stop();
    AutoUpgraderPro1->ShowMessages = false;
    automaticCheckRunning = AutoUpgraderPro1->CheckForUpdate(true);
    if (!automaticCheckRunning)
        STATUSPANEL4->hide();
}

void TForm1::UpdateCheckFinished(UpdateChecker::Outcome outcome) {
    if (!automaticCheckRunning) {
        // The user check has shown its own messages.
        CheckForUpdates->setEnabled(true);
        return;
    }
    automaticCheckRunning = false;
    if (outcome == UpdateChecker::Outcome::UpdateAvailable) {
        setTextColour(STATUSPANEL4, Qt::red);
        STATUSPANEL4->setText(AvailableText);
        STATUSPANEL4->setToolTip(QStringLiteral("Click here to download update."));
        STATUSPANEL4->show();
        FlashTimer->start();
    } else {
        STATUSPANEL4->hide();
    }
}

void TForm1::FlashTimerTimer() {
    STATUSPANEL4->setText(STATUSPANEL4->text() == AvailableText ? QString() : AvailableText);
}

void TForm1::AutoUpdateClick() {
    FlashTimer->stop();
    if (STATUSPANEL4->text() == CheckingText && !STATUSPANEL4->isHidden()) {
        platform::desktop().message(platform::Icon::None,
                                    QStringLiteral("Automatic Update is currently running."),
                                    platform::Buttons::Ok);
        return;
    }
    if (AutoUpgraderPro1->isRunning())
        return; // a user check is on its way and will answer
    AutoUpgraderPro1->ShowMessages = true;
    // One user check at a time; the command comes back when it has answered.
    if (AutoUpgraderPro1->CheckForUpdate(false))
        CheckForUpdates->setEnabled(false);
}

void TForm1::RefreshStatusLine() {
    if (Shared.ProjectActive) {
        StatusPanel3->setText(QStringLiteral("Active"));
        setTextColour(StatusPanel3, Qt::red);
    } else {
        StatusPanel3->setText(QStringLiteral("Not Active"));
        setTextColour(StatusPanel3, Qt::black);
    }
    const QString name = projectNameField ? projectNameField->text() : QString();
    StatusPanel1->setText(name.isEmpty() ? QStringLiteral("Project Name: <No Name>")
                                         : QStringLiteral("Project Name: ") + name);
}

void TForm1::RefreshRecentMenu() {
    for (QAction* item : HIS)
        item->setVisible(false);
    // The same file twice is listed once; the store keeps both until the next change.
    for (std::size_t i = 0; i < Shared.RecentFiles.size(); ++i)
        for (std::size_t j = i + 1; j < Shared.RecentFiles.size(); ++j)
            if (Shared.RecentFiles[j] == Shared.RecentFiles[i])
                Shared.RecentFiles[j].clear();
    for (std::size_t i = 0; i < HIS.size(); ++i) {
        const QString& entry = Shared.RecentFiles[i];
        if (!entry.isEmpty() && !entry.startsWith(QLatin1Char('*')) && QFileInfo(entry).isFile()) {
            // The whole path is the caption: an ampersand in it is no access key.
            HIS[i]->setText(QString(entry).replace(QLatin1Char('&'), QLatin1String("&&")));
            HIS[i]->setVisible(true);
        }
    }
}

void TForm1::GetHelp(const QString& topic) {
    ::GetHelp(topic);
}

QString TForm1::DocumentFile(const TLink* link) {
    for (const DocumentEntry& entry : Documents)
        if (link->objectName() == QLatin1String(entry.name))
            return QString::fromLatin1(entry.file);
    return {};
}

void TForm1::DocumentLinkClick(TLink* link) {
    DocumentLink->URL = Shared.ProgramFolder + QLatin1Char('/') + DocumentFile(link);
    if (QFileInfo(DocumentLink->URL).isFile())
        DocumentLink->Click();
    else
        platform::desktop().message(platform::Icon::None,
                                    QStringLiteral("Unable to locate document!"),
                                    platform::Buttons::Ok);
}

void TForm1::ActiveProjectClick() {
    if (!Shared.ProjectActive) {
        platform::desktop().message(
            platform::Icon::Information,
            QStringLiteral("There is currently no active project. Start a new project by "
                           "clicking on the \"New Project\" button."),
            platform::Buttons::Ok);
        return;
    }
    // With a project open, the estimation wizard shows it again.
    if (wizard)
        wizard->exec();
}

void TForm1::AboutClick() {
    if (AboutBox)
        AboutBox->exec();
}
