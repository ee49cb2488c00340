#include "platform/Desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <cstdio>
#include <cstdlib>

namespace platform {

Desktop::~Desktop() = default;

namespace {
ConsoleDesktop& consoleDesktop() {
    static ConsoleDesktop console;
    return console;
}
Desktop* installed = nullptr;
} // namespace

Desktop& desktop() {
    return installed ? *installed : consoleDesktop();
}

void setDesktop(Desktop* d) {
    installed = d;
}

QString iconName(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QStringLiteral("information");
    case Icon::Warning:
        return QStringLiteral("warning");
    case Icon::Error:
        return QStringLiteral("error");
    case Icon::Question:
        return QStringLiteral("question");
    case Icon::None:
        break;
    }
    return QStringLiteral("none");
}

Answer ConsoleDesktop::message(Icon icon, const QString& text, Buttons buttons) {
    // One line a message: carriage returns inside a text become blanks.
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "%s: %s\n", qPrintable(iconName(icon)), qPrintable(line));
    std::fflush(stderr);
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    case Buttons::Ok:
    case Buttons::OkCancel:
        break;
    }
    return Answer::Ok;
}

bool ConsoleDesktop::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

void ConsoleDesktop::endProgram(int exitCode) {
    std::fflush(nullptr);
    std::exit(exitCode);
}

QString ConsoleDesktop::systemTempFolder() {
    return QDir::tempPath();
}

QString ConsoleDesktop::programFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

} // namespace platform
