#include "shell/Help.h"

#include "core/SharedState.h"
#include "platform/Desktop.h"

#include <QFileInfo>
#include <QStandardPaths>

QString HelpFolder() {
    return Shared.ProgramFolder + QLatin1Char('/') + HelpBaseName;
}

QString HelpTopicFile(const QString& topic) {
    return HelpFolder() + QLatin1Char('/') + topic + QStringLiteral(".htm");
}

bool GetHelp(const QString& topic) {
    using platform::Buttons;
    using platform::Icon;
    const QString page = HelpTopicFile(topic);
    if (!QFileInfo(page).isFile()) {
        platform::desktop().message(
            Icon::Warning,
            QStringLiteral("The help page for this topic could not be found:\r%1\r\r"
                           "Reinstall %2 to restore its help pages.")
                .arg(page, Shared.ProductTitle),
            Buttons::Ok);
        return false;
    }
    if (!platform::desktop().shellOpen(page, QStringLiteral("OPEN"))) {
        platform::desktop().message(Icon::Warning,
                                    QStringLiteral("The help page could not be opened in "
                                                   "your web browser:\r%1")
                                        .arg(page),
                                    Buttons::Ok);
        return false;
    }
    return true;
}

bool OpenLinkTarget(const QString& target) {
    if (target.compare(QLatin1String("calc.exe"), Qt::CaseInsensitive) == 0)
        return StartCalculator();
    return platform::desktop().shellOpen(target, QStringLiteral("OPEN"));
}

QStringList CalculatorPrograms() {
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
            QStringLiteral("qalculate-qt"),     QStringLiteral("qalculate-gtk"),
            QStringLiteral("mate-calc"),        QStringLiteral("galculator"),
            QStringLiteral("speedcrunch"),      QStringLiteral("xcalc")};
}

QString FindCalculator() {
    for (const QString& name : CalculatorPrograms()) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

bool StartCalculator() {
    const QString program = FindCalculator();
    if (program.isEmpty()) {
        // Without a calculator the click would do nothing at all; say why.
        platform::desktop().message(platform::Icon::Information,
                                    QStringLiteral("No calculator program was found on this "
                                                   "computer. Install one, for example "
                                                   "gnome-calculator or kcalc."),
                                    platform::Buttons::Ok);
        return false;
    }
    return platform::desktop().startProgram(program, {});
}
