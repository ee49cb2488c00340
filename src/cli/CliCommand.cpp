#include "cli/CliCommand.h"

#include <algorithm>
#include <cstdio>

namespace {
QList<CliCommandInfo>& registry() {
    static QList<CliCommandInfo> commands;
    return commands;
}
} // namespace

CliCommandRegistration::CliCommandRegistration(const char* name, const char* summary,
                                               CliRunFunction run, bool needsGui) {
    registry().append({QString::fromUtf8(name), QString::fromUtf8(summary), run, needsGui});
}

QList<CliCommandInfo> cliCommands() {
    QList<CliCommandInfo> commands = registry();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommandInfo& a, const CliCommandInfo& b) { return a.name < b.name; });
    return commands;
}

const CliCommandInfo* findCliCommand(const QString& name) {
    for (const CliCommandInfo& command : registry())
        if (command.name == name)
            return &command;
    return nullptr;
}

void cliOut(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void cliErr(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}
