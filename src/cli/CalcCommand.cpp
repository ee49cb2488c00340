#include "calc/CalcResults.h"
#include "cli/CalcJson.h"
#include "cli/CliCommand.h"
#include "cli/CliProject.h"
#include "core/SharedState.h"

#include <cstdio>

namespace {

const char* const CalcHelp =
    "Usage: enervane-cli calc FILE.KSF\n"
    "\n"
    "Calculates the estimation of a project file as the program does when it opens it:\n"
    "the program setup (efficiency curves, custom control methods) comes from the\n"
    "settings store, the file is checked and then loaded, the duty cycle must add up to\n"
    "100 %, and the energy model and the results page are computed for the file's\n"
    "application. Messages of the file reader go to standard error, one line each;\n"
    "its questions are answered OK.\n"
    "\n"
    "Prints one JSON object on standard output:\n"
    "  application          \"FAN\" or \"PUMP\"\n"
    "  inputs               HoursPerDay, DaysPerWeek, WeeksPerYear, AnnualHours,\n"
    "                       EnergyPrice (currency per kWh), MotorHP, MotorEfficiency\n"
    "                       (fraction), DriveEfficiency, IncentivePerHP, DriveCost\n"
    "  DutyText, DutyPercent, Hours   ten entries each, 100 % flow first\n"
    "  TotalHours, AcrossLineTotalCost, AcrossLineAvailable\n"
    "  methods              Vfd, Damper, Vane, Custom1, Custom2 (fan) or Vfd, Valve,\n"
    "                       Custom1, Custom2 (pump): HP, CostPerHour, AnnualCost (ten\n"
    "                       each), TotalCost and available (false when a curve entry or\n"
    "                       the drive efficiency is 0, or an amount is too large to\n"
    "                       show; its numbers are then 0)\n"
    "  page                 every control of the results page by name: text, visible,\n"
    "                       color (\"black\" or \"red\")\n"
    "Numbers carry 17 significant digits; money texts use the locale's thousands\n"
    "separator.\n"
    "\n"
    "Exit codes: 0 calculated, 1 the file cannot be read (or holds no fan or pump\n"
    "project), 2 the duty cycle does not add up to 100 %, 64 wrong arguments.\n";

int runCalc(const QStringList& args) {
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        cliOut(QString::fromUtf8(CalcHelp));
        return 0;
    }
    if (args.size() != 1) {
        cliErr(QStringLiteral("enervane-cli calc: expects exactly one project file\n\n"));
        cliErr(QString::fromUtf8(CalcHelp));
        return CliUsageError;
    }
    const int status = LoadAndCalculateProject(args.first());
    if (status != CliProjectOk)
        return status;
    const QByteArray json = CalculationJson(Shared.AppType);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    std::fflush(stdout);
    return 0;
}

const CliCommandRegistration
    calcCommand("calc", "Calculates a .KSF project and prints the results as JSON", runCalc, false);

} // namespace
