#include "shell/TReg.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

QStringList pathParts(const QString& path) {
    QStringList parts;
    for (const QString& part : path.split(QLatin1Char('\\'), Qt::SkipEmptyParts))
        parts << part;
    return parts;
}

QString configRoot(TRoot root) {
    if (root == TRoot::rHKEY_CURRENT_USER) {
        QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (home.isEmpty())
            home = QDir::homePath() + QStringLiteral("/.config");
        return home;
    }
    const QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    const QString first = dirs.section(QLatin1Char(':'), 0, 0);
    return first.isEmpty() ? QStringLiteral("/etc/xdg") : first;
}

QString valueText(const QVariant& value) {
    // A hand-edited value with commas comes back as a list; it is still one text.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

} // namespace

TCustomRegistry::TCustomRegistry(QObject* owner) : QObject(owner) {}

TCustomRegistry::~TCustomRegistry() = default;

QString TCustomRegistry::storeFileName() const {
#ifdef Q_OS_WIN
    return QString();
#else
    QStringList parts = pathParts(Path);
    if (!parts.isEmpty() &&
        parts.first().compare(QLatin1String("SOFTWARE"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.isEmpty())
        parts << QStringLiteral("settings");
    return configRoot(root) + QLatin1Char('/') + parts.join(QLatin1Char('/')) +
           QStringLiteral(".ini");
#endif
}

QString TCustomRegistry::groupName(const QString& section) const {
#ifdef Q_OS_WIN
    return pathParts(Path).join(QLatin1Char('\\')) + QLatin1Char('\\') + section;
#else
    return section;
#endif
}

std::unique_ptr<QSettings> TCustomRegistry::settings() const {
#ifdef Q_OS_WIN
    const QString hive = root == TRoot::rHKEY_CURRENT_USER ? QStringLiteral("HKEY_CURRENT_USER")
                                                           : QStringLiteral("HKEY_LOCAL_MACHINE");
    return std::make_unique<QSettings>(hive, QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(storeFileName(), QSettings::IniFormat);
#endif
}

bool TCustomRegistry::Open() {
    const QString key = Section.isEmpty() ? QString() : Section;
    auto store = settings();
    opened = store->status() == QSettings::NoError &&
             (key.isEmpty() ? QFileInfo::exists(storeFileName())
                            : store->childGroups().contains(groupName(key)));
    return opened;
}

void TCustomRegistry::Close() {
    opened = false;
}

bool TCustomRegistry::ReadBool(const QString& section, const QString& name,
                               bool defaultValue) const {
    const QString fallback = QStringLiteral("\x01");
    const QString text = ReadString(section, name, fallback);
    if (text == fallback)
        return defaultValue;
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok);
    if (!ok)
        return defaultValue;
    return number > 0;
}

QString TCustomRegistry::ReadString(const QString& section, const QString& name,
                                    const QString& defaultValue) const {
#ifndef Q_OS_WIN
    // Reading never creates anything: without the file there is nothing to read.
    if (!QFileInfo::exists(storeFileName()))
        return defaultValue;
#endif
    auto store = settings();
    if (store->status() != QSettings::NoError)
        return defaultValue;
    store->beginGroup(groupName(section));
    if (!store->contains(name))
        return defaultValue;
    const QVariant value = store->value(name);
    if (!value.isValid())
        return defaultValue;
    return valueText(value);
}

void TCustomRegistry::WriteBool(const QString& section, const QString& name, bool value) const {
    WriteString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TCustomRegistry::WriteString(const QString& section, const QString& name,
                                  const QString& value) const {
#ifndef Q_OS_WIN
    if (!QDir().mkpath(QFileInfo(storeFileName()).absolutePath()))
        return;
#endif
    auto store = settings();
    if (store->status() != QSettings::NoError)
        return;
    store->beginGroup(groupName(section));
    store->setValue(name, value);
    store->endGroup();
    store->sync();
}
