#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QNetworkAccessManager;
class QNetworkReply;

// The update server this program asks; ENERVANE_UPDATE_URL replaces it (tests, mirrors).
inline const QString DefaultUpdateServer = QStringLiteral("https://updates.example.com");
// Where the information file lies below the server address.
inline const QString UpdateInfoPath = QStringLiteral("/update/QVN/DRV742EE.inf");

// What the information file says. Valid only with a well-formed version number and an
// http or https download address.
struct UpdateInfo {
    bool valid = false;
    QString version;
    QString url;
};

// Reads the information file: an INI text with the section [Update] holding Version= and
// URL=. Anything it cannot read makes an invalid result, never an error.
UpdateInfo ParseUpdateInfo(const QByteArray& text);

// True for a version number of whole numbers separated by points ("1.005.10").
bool IsVersionNumber(const QString& text);
// Compares two version numbers part by part as numbers ("1.005.10" > "1.005.9", "1.5" ==
// "1.005.0"). Negative, zero or positive like strcmp. Both must be version numbers.
int CompareVersions(const QString& left, const QString& right);

// The server address in use: ENERVANE_UPDATE_URL when set, otherwise the built-in one.
QString UpdateServer();

// The program's update check. It fetches the information file from the update server over
// HTTP, never blocking the window, and compares its version with the running one.
// Check-only mode just reports whether an update exists. The user check also shows its own
// messages (when they are allowed) and, when an update exists, asks and then opens the
// download address in the browser.
class UpdateChecker : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        UpdateAvailable,
        NoUpdate, // also for an information file that cannot be read
        HostUnreachable,
        ConnectionLost,
        NoInformationFile,
    };
    Q_ENUM(Outcome)

    explicit UpdateChecker(QObject* parent = nullptr);
    ~UpdateChecker() override;

    // The running program's version, set at start-up.
    QString VersionNumber;
    // Allows the check to show its own messages (only the user check ever shows any).
    bool ShowMessages = true;

    void setServer(const QString& address) { server = address; }
    QString Server() const { return server; }
    QString InformationFileUrl() const;
    // Time allowed for the whole request.
    void setTimeout(int milliseconds) { timeoutMs = milliseconds; }
    int timeout() const { return timeoutMs; }

    // Starts a check; false (and nothing happens) while another check is running.
    bool CheckForUpdate(bool checkOnly);
    bool isRunning() const;

signals:
    // Emitted once per check, after the user check's messages are done.
    void finished(UpdateChecker::Outcome outcome);

private:
    void replyFinished();
    void replyProgress(qint64 received);
    Outcome classifyFailure() const;
    void report(Outcome result);

    QNetworkAccessManager* network;
    QPointer<QNetworkReply> reply;
    QTimer deadline;
    QString server;
    int timeoutMs = 5000;
    bool checkOnly = true;
    bool timedOut = false;
    bool tooLarge = false;
    UpdateInfo info;
};
