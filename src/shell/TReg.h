#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QSettings;

enum class TRoot { rHKEY_CURRENT_USER, rHKEY_LOCAL_MACHINE };

// The settings store: named text values grouped in sections below one key path. Every read
// and write opens the section it needs and closes it again; nothing is cached, so a value
// written through one instance is seen at once by every other. Failures never reach the
// user: reads fall back to the caller's default, writes are skipped.
//
// On Windows the store is the registry. Elsewhere each key path is one INI file below the
// user's configuration folder ($XDG_CONFIG_HOME, default ~/.config): the path
// "SOFTWARE\QVN\NVX\SETUP" is the file QVN/NVX/SETUP.ini, each section an INI group, each
// value a text. The machine-wide root is the system configuration folder (/etc/xdg).
class TCustomRegistry : public QObject {
    Q_OBJECT
public:
    explicit TCustomRegistry(QObject* owner = nullptr);
    ~TCustomRegistry() override;

    QString Path;
    QString Section;

    TRoot Root() const { return root; }
    void setRoot(TRoot value) { root = value; }

    bool Open();
    void Close();

    bool ReadBool(const QString& section, const QString& name, bool defaultValue) const;
    QString ReadString(const QString& section, const QString& name,
                       const QString& defaultValue) const;
    void WriteBool(const QString& section, const QString& name, bool value) const;
    void WriteString(const QString& section, const QString& name, const QString& value) const;

    // Where a section's values live on this system (for tests and the README).
    QString storeFileName() const;
    QString groupName(const QString& section) const;

private:
    std::unique_ptr<QSettings> settings() const;
    TRoot root = TRoot::rHKEY_CURRENT_USER;
    bool opened = false;
};

class TReg : public TCustomRegistry {
    Q_OBJECT
public:
    explicit TReg(QObject* owner = nullptr) : TCustomRegistry(owner) {}
};

// The key path every window of the program uses.
inline const QString SetupKeyPath = QStringLiteral("SOFTWARE\\QVN\\NVX\\SETUP");
