#include "core/SharedState.h"

#include "core/ParameterTable.h"
#include "platform/Desktop.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString withoutTrailingBackslash(QString folder) {
    if (folder.endsWith(QLatin1Char('\\')) || (folder.size() > 1 && folder.endsWith('/')))
        folder.chop(1);
    return folder;
}
} // namespace

void InitSharedState() {
    Shared = SharedState{};
    Shared.ProgramFolder = withoutTrailingBackslash(platform::desktop().programFolder());
    Shared.TempFolder = withoutTrailingBackslash(PrivateTempFolder(ReadTempFolder()));
    ReadLocaleMarks();
    Shared.WizardReady = false;
    ClearParameters();
}

QString FormatThousands(int decimals, float value) {
    QString sign;
    float magnitude = value;
    if (value < 0) {
        sign = QStringLiteral("-");
        magnitude = -value;
    }
    QString text = FormatFixed(static_cast<double>(magnitude), decimals);
    if (text.startsWith(QLatin1Char('-'))) // FormatFixed never signs a positive value
        text.remove(0, 1);
    // The thresholds are tested on the value, not on the rounded text.
    int groups = 0;
    if (magnitude >= 1000.0f)
        groups = 1;
    if (magnitude >= 1000000.0f)
        groups = 2;
    if (magnitude >= 1000000000.0f)
        groups = 3;
    int position = text.indexOf(QLatin1Char('.'));
    if (position < 0)
        position = text.size();
    for (int g = 0; g < groups; ++g) {
        position -= 3;
        if (position <= 0)
            break;
        text.insert(position, Shared.ThousandsMark);
    }
    return sign + text;
}

QString MoneyText(double value, int decimals) {
    return Shared.CurrencySymbol + FormatThousands(decimals, static_cast<float>(value));
}

QString IoErrorText(int errorCode) {
    return QString::fromLocal8Bit(std::strerror(errorCode));
}

bool ShowIoError(int errorCode) {
    if (errorCode == 0)
        return false;
    platform::desktop().message(platform::Icon::Warning, IoErrorText(errorCode),
                                platform::Buttons::Ok);
    return true;
}

QString ReadTempFolder() {
    return platform::desktop().systemTempFolder().left(255);
}

QString PrivateTempFolder(const QString& systemTemp) {
    const QString base = systemTemp.isEmpty() ? QDir::tempPath() : systemTemp;
    const QString preferred = base + QStringLiteral("/enervane-") + QString::number(getuid());
    const QByteArray path = QFile::encodeName(preferred);
    if (::mkdir(path.constData(), 0700) == 0 || errno == EEXIST) {
        struct stat info {};
        // Only a real folder of ours counts; a link or someone else's folder is never used.
        if (::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
            info.st_uid == getuid()) {
            if ((info.st_mode & 0777) != 0700)
                ::chmod(path.constData(), 0700);
            return preferred;
        }
    }
    QByteArray pattern = QFile::encodeName(preferred + QStringLiteral("-XXXXXX"));
    if (::mkdtemp(pattern.data()))
        return QFile::decodeName(pattern);
    return base;
}

void ApplyLocaleMarks(const QString& decimalSeparator, const QString& thousandsSeparator) {
    QChar decimal = decimalSeparator.isEmpty() ? QLatin1Char('.') : decimalSeparator.at(0);
    QChar thousands = thousandsSeparator.isEmpty() ? QLatin1Char(',') : thousandsSeparator.at(0);
    if (decimalSeparator.isEmpty() || thousandsSeparator.isEmpty()) {
        decimal = QLatin1Char('.');
        thousands = QLatin1Char(',');
    }
    if (decimal == thousands) {
        decimal = QLatin1Char('.');
        thousands = QLatin1Char(',');
    }
    Shared.DecimalMark = decimal;
    Shared.ThousandsMark = thousands;
}

void ReadLocaleMarks() {
    const QLocale locale = QLocale::system();
    ApplyLocaleMarks(locale.decimalPoint(), locale.groupSeparator());
}
