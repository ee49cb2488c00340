#pragma once

#include <QString>
#include <QTemporaryDir>

// Points the settings store and the temporary folder of a test at a private folder, pins
// the separators to "." and ",", and resets the shared state. One per test case.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    QString path() const { return dir.path(); }
    QString configFolder() const { return dir.path() + QStringLiteral("/config"); }
    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }

private:
    QTemporaryDir dir;
    QByteArray oldConfigHome;
};

// Reads a whole file as bytes (empty when it cannot be read).
QByteArray readAll(const QString& fileName);
