#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

namespace {

void usage(bool toError) {
    QString text = QStringLiteral("Usage: enervane-cli COMMAND [ARGUMENTS]\n"
                                  "       enervane-cli COMMAND --help\n\n"
                                  "Commands:\n");
    for (const CliCommandInfo& command : cliCommands())
        text += QStringLiteral("  %1  %2\n").arg(command.name.leftJustified(10), command.summary);
    text += QStringLiteral("\nThe settings (program setup) are read from the same store as the "
                           "program's.\n");
    if (toError)
        cliErr(text);
    else
        cliOut(text);
}

} // namespace

int main(int argc, char* argv[]) {
    const QString first = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (first.isEmpty()) {
        usage(true);
        return CliUsageError;
    }
    if (first == QLatin1String("--help") || first == QLatin1String("-h") ||
        first == QLatin1String("help")) {
        usage(false);
        return 0;
    }
    const CliCommandInfo* command = findCliCommand(first);
    if (!command) {
        cliErr(QStringLiteral("enervane-cli: unknown command \"%1\"\n\n").arg(first));
        usage(true);
        return CliUsageError;
    }

    std::unique_ptr<QCoreApplication> app;
    if (command->needsGui) {
        // Graph commands paint; without a display they paint offscreen.
        if (qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
            !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList args = QCoreApplication::arguments();
    args = args.mid(2);
    return command->run(args);
}
