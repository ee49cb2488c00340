#pragma once

#include <QChar>
#include <QString>

#include <array>

// The process-wide variables every window shares. Set up by InitSharedState before the
// first window exists; they live until the program ends.
struct SharedState {
    QString ProgramFolder;
    QString TempFolder;
    QChar ThousandsMark = QLatin1Char(',');
    QChar DecimalMark = QLatin1Char('.');
    QString FileTypeText = QStringLiteral("QVN ENERGY FILE");
    QString VersionText = QStringLiteral("1.005.10");
    QString ProductTitle = QStringLiteral("QVN DRV742 Enervane");
    QString ProjectFileName;
    bool ProjectActive = false;
    bool ProjectModified = false;
    bool WizardReady = false;
    std::array<QString, 20> InfoTextLines{};
    int AppType = 0; // 1 fan, 2 pump
    QString AppTypeText = QStringLiteral("FAN");
    int FileAppType = 0; // 1 FAN, 2 PUMP, 3 COOLING TOWER
    QString CurrencySymbol = QStringLiteral("$");
    int OverviewAppType = 1;
    int OverviewMethod = 1;
    int GraphType = 1;
    QString CommandLineFile;
    bool CommandLineFileFound = false;
    std::array<QString, 4> RecentFiles{};
    int WelcomeChoice = 0;
    bool GuideAccepted = false;
};

inline SharedState Shared;

// Sets every shared variable to its initial value; also empties the parameter table.
void InitSharedState();

// The value (taken as a 32-bit float) with 0 to 2 decimals, a point as decimal mark and
// the locale's thousands separator; halves away from zero.
QString FormatThousands(int decimals, float value);
// Money text: the currency symbol, then the whole amount with separators ($-712).
QString MoneyText(double value, int decimals = 0);

// Shows the system's text for a file error (warning, OK). False for code 0, else true.
bool ShowIoError(int errorCode);
// The system's text for a file error code.
QString IoErrorText(int errorCode);

// The system's folder for temporary files, as the system gives it.
QString ReadTempFolder();
// A private folder of this user (mode 0700) below the given folder, created when missing.
// Fixed file names in a shared temporary folder could be planted there by another user.
QString PrivateTempFolder(const QString& systemTemp);

// Reads the separators of the system locale into ThousandsMark (and DecimalMark).
void ReadLocaleMarks();
// The same rule with given separators; an empty one counts as unreadable.
void ApplyLocaleMarks(const QString& decimalSeparator, const QString& thousandsSeparator);
