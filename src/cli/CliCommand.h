#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The subcommands of enervane-cli. A command registers itself with a static object in its
// own .cpp file in this folder; main() finds it by its name (the first argument):
//
//     static const CliCommandRegistration chart("chart", "Paints the graphs of a .KSF file",
//                                               runChart, true);
//
// `run` gets the arguments after the command's name and returns the exit code. A command
// with `needsGui` runs under a QGuiApplication (offscreen when there is no display), any
// other under a QCoreApplication.
using CliRunFunction = int (*)(const QStringList& args);

struct CliCommandInfo {
    QString name;
    QString summary;
    CliRunFunction run = nullptr;
    bool needsGui = false;
};

class CliCommandRegistration {
public:
    CliCommandRegistration(const char* name, const char* summary, CliRunFunction run,
                           bool needsGui = false);
};

// Every registered command, sorted by name.
QList<CliCommandInfo> cliCommands();
// The command with that name, or nullptr.
const CliCommandInfo* findCliCommand(const QString& name);

// Exit code for a command line that cannot be understood (unknown command, missing file).
constexpr int CliUsageError = 64;

// Writes text to standard output / standard error as UTF-8.
void cliOut(const QString& text);
void cliErr(const QString& text);
