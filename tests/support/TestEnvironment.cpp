#include "TestEnvironment.h"

#include "core/ParameterTable.h"
#include "core/SharedState.h"

#include <QDir>
#include <QFile>

TestEnvironment::TestEnvironment() : oldConfigHome(qgetenv("XDG_CONFIG_HOME")) {
    QDir().mkpath(configFolder());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configFolder()));
    Shared = SharedState{};
    Shared.TempFolder = dir.path();
    Shared.ProgramFolder = dir.path();
    ApplyLocaleMarks(QStringLiteral("."), QStringLiteral(","));
    ClearParameters();
}

TestEnvironment::~TestEnvironment() {
    if (oldConfigHome.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfigHome);
}

QByteArray readAll(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
