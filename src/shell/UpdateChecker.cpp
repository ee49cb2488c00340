#include "shell/UpdateChecker.h"

#include "core/SharedState.h"
#include "platform/Desktop.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringList>
#include <QUrl>

#include <algorithm>

namespace {

// An information file is a few lines; anything much larger is not one.
constexpr qint64 MaxInfoFileSize = 64 * 1024;
constexpr int MaxVersionLength = 64;

QString withoutLeadingZeros(const QString& digits) {
    int first = 0;
    while (first < digits.size() - 1 && digits.at(first) == QLatin1Char('0'))
        ++first;
    return digits.mid(first);
}

// Compares two runs of digits as whole numbers of any length.
int compareNumbers(const QString& left, const QString& right) {
    const QString a = withoutLeadingZeros(left);
    const QString b = withoutLeadingZeros(right);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

bool isDownloadAddress(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("https") || scheme == QLatin1String("http");
}

QString trimmedServer(QString address) {
    address = address.trimmed();
    while (address.endsWith(QLatin1Char('/')))
        address.chop(1);
    return address;
}

} // namespace

bool IsVersionNumber(const QString& text) {
    if (text.isEmpty() || text.size() > MaxVersionLength)
        return false;
    const QStringList parts = text.split(QLatin1Char('.'));
    for (const QString& part : parts) {
        if (part.isEmpty())
            return false;
        for (const QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
    }
    return true;
}

int CompareVersions(const QString& left, const QString& right) {
    // An unreadable number counts as 0, so that it never looks newer than a real one.
    const QStringList a = IsVersionNumber(left) ? left.split(QLatin1Char('.')) : QStringList{};
    const QStringList b = IsVersionNumber(right) ? right.split(QLatin1Char('.')) : QStringList{};
    const qsizetype parts = std::max(a.size(), b.size());
    for (qsizetype i = 0; i < parts; ++i) {
        const QString x = i < a.size() ? a.at(i) : QStringLiteral("0");
        const QString y = i < b.size() ? b.at(i) : QStringLiteral("0");
        const int order = compareNumbers(x, y);
        if (order != 0)
            return order < 0 ? -1 : 1;
    }
    return 0;
}

UpdateInfo ParseUpdateInfo(const QByteArray& text) {
    if (text.size() > MaxInfoFileSize)
        return {};
    QString whole = QString::fromUtf8(text);
    if (whole.startsWith(QChar(0xFEFF)))
        whole.remove(0, 1);

    bool inUpdate = false;
    bool haveVersion = false;
    bool haveUrl = false;
    UpdateInfo info;
    const QStringList lines = whole.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')))
                return {};
            const QString name = line.mid(1, line.size() - 2).trimmed();
            inUpdate = name.compare(QLatin1String("Update"), Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inUpdate)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return {};
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        // The first of two equal keys counts.
        if (!haveVersion && key.compare(QLatin1String("Version"), Qt::CaseInsensitive) == 0) {
            info.version = value;
            haveVersion = true;
        } else if (!haveUrl && key.compare(QLatin1String("URL"), Qt::CaseInsensitive) == 0) {
            info.url = value;
            haveUrl = true;
        }
    }
    info.valid =
        haveVersion && haveUrl && IsVersionNumber(info.version) && isDownloadAddress(info.url);
    if (!info.valid)
        return {};
    return info;
}

QString UpdateServer() {
    const QString configured = trimmedServer(qEnvironmentVariable("ENERVANE_UPDATE_URL"));
    return configured.isEmpty() ? DefaultUpdateServer : configured;
}

UpdateChecker::UpdateChecker(QObject* parent)
    : QObject(parent), network(new QNetworkAccessManager(this)), server(UpdateServer()) {
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, this, [this] {
        if (!reply)
            return;
        timedOut = true;
        reply->abort();
    });
}

UpdateChecker::~UpdateChecker() {
    if (reply) {
        reply->disconnect(this);
        reply->abort();
    }
}

QString UpdateChecker::InformationFileUrl() const {
    return trimmedServer(server) + UpdateInfoPath;
}

bool UpdateChecker::CheckForUpdate(bool onlyCheck) {
    if (reply)
        return false;
    checkOnly = onlyCheck;
    timedOut = false;
    tooLarge = false;
    info = {};

    QNetworkRequest request{QUrl(InformationFileUrl())};
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Enervane/") + VersionNumber);
    reply = network->get(request);
    connect(reply, &QNetworkReply::downloadProgress, this,
            [this](qint64 received, qint64) { replyProgress(received); });
    connect(reply, &QNetworkReply::finished, this, &UpdateChecker::replyFinished);
    deadline.start(timeoutMs);
    return true;
}

void UpdateChecker::replyProgress(qint64 received) {
    if (received > MaxInfoFileSize && reply) {
        tooLarge = true;
        reply->abort();
    }
}

UpdateChecker::Outcome UpdateChecker::classifyFailure() const {
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() >= 400)
        return Outcome::NoInformationFile;
    if (status.isValid() || reply->error() == QNetworkReply::RemoteHostClosedError ||
        reply->error() == QNetworkReply::TemporaryNetworkFailureError)
        return Outcome::ConnectionLost;
    // Refused, unknown host, no answer at all within the time allowed.
    return Outcome::HostUnreachable;
}

void UpdateChecker::replyFinished() {
    deadline.stop();
    if (!reply)
        return;
    Outcome result = Outcome::NoUpdate;
    if (tooLarge) {
        result = Outcome::NoUpdate;
    } else if (timedOut || reply->error() != QNetworkReply::NoError) {
        result = classifyFailure();
    } else {
        info = ParseUpdateInfo(reply->read(MaxInfoFileSize + 1));
        if (info.valid && CompareVersions(info.version, VersionNumber) > 0)
            result = Outcome::UpdateAvailable;
    }
    QNetworkReply* done = reply;
    reply = nullptr;
    done->deleteLater();
    report(result);
}

void UpdateChecker::report(Outcome result) {
    using platform::Answer;
    using platform::Buttons;
    using platform::Icon;
    if (!checkOnly && ShowMessages) {
        platform::Desktop& desk = platform::desktop();
        switch (result) {
        case Outcome::UpdateAvailable:
            if (desk.message(Icon::Question,
                             QStringLiteral("A new version of %1 is available.\r\r"
                                            "Installed version: %2\rNew version: %3\r\r"
                                            "Do you want to download it now?")
                                 .arg(Shared.ProductTitle, VersionNumber, info.version),
                             Buttons::YesNo) == Answer::Yes &&
                !desk.shellOpen(info.url, QStringLiteral("OPEN"))) {
                desk.message(Icon::Warning,
                             QStringLiteral("The download page could not be opened. Please "
                                            "visit %1 with your web browser.")
                                 .arg(info.url),
                             Buttons::Ok);
            }
            break;
        case Outcome::NoUpdate:
            desk.message(Icon::Information,
                         QStringLiteral("There is no update available. You are using the "
                                        "latest version of %1 (Version %2).")
                             .arg(Shared.ProductTitle, VersionNumber),
                         Buttons::Ok);
            break;
        case Outcome::HostUnreachable:
            desk.message(Icon::Warning,
                         QStringLiteral("The update server could not be reached or did not "
                                        "answer. Please check your Internet connection and "
                                        "try again later."),
                         Buttons::Ok);
            break;
        case Outcome::ConnectionLost:
            desk.message(Icon::Warning,
                         QStringLiteral("The connection to the update server was lost. "
                                        "Please try again later."),
                         Buttons::Ok);
            break;
        case Outcome::NoInformationFile:
            desk.message(Icon::Warning,
                         QStringLiteral("The update server holds no update information for "
                                        "this program. Please try again later."),
                         Buttons::Ok);
            break;
        }
    }
    emit finished(result);
}

bool UpdateChecker::isRunning() const {
    return !reply.isNull();
}
