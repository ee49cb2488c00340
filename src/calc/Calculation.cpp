#include "calc/Calculation.h"

#include "calc/CalcResults.h"
#include "calc/EnergyModel.h"
#include "calc/ResultsPage.h"
#include "calc/Savings.h"
#include "calc/WizardFields.h"
#include "core/SharedState.h"
#include "platform/Desktop.h"
#include "setup/SetupOptions.h"

#include <cmath>

namespace {

void store(const MethodResult& m, PointArray& hp, PointArray& costPerHour, PointArray& annual,
           double& total, bool& available) {
    hp = m.HP;
    costPerHour = m.CostPerHour;
    annual = m.AnnualCost;
    total = m.TotalCost;
    available = m.Available;
}

QString moneyOr(bool available, double value) {
    return available ? MoneyText(value) : UnavailableText;
}

// One payback row: red first, then the rule's text; only a result in years turns black.
void paybackRow(int row, const QString& label, bool available, double total, bool driveAvailable,
                double drive) {
    ResultsPage& page = resultsPage();
    page[pageId(PagePAYBACK1, row - 1)].text = label;
    PageControl& value = page[pageId(PagePAYBACKVALUE1, row - 1)];
    value.colour = PageColour::Red;
    if (!available || !driveAvailable) {
        value.text = UnavailableText;
        return;
    }
    const double incentive = Results.MotorHP * Results.IncentivePerHP;
    const PaybackResult result =
        Payback(total - drive, incentive, Results.DriveCost,
                OneTimeIncentiveSelected() ? IncentiveKind::OneTime : IncentiveKind::Yearly);
    value.text = result.text;
    if (!result.red)
        value.colour = PageColour::Black;
}

void emptyRow(PageControlId label, PageControlId value) {
    resultsPage()[label].text.clear();
    resultsPage()[value].text.clear();
}

// Cost row, savings row and payback row of one user curve (n = 1 or 2).
void userCurveRows(int n, bool driveAvailable, double drive) {
    ResultsPage& page = resultsPage();
    const bool enabled = n == 1 ? Setup.Custom1Enabled : Setup.Custom2Enabled;
    const QString& name = n == 1 ? Setup.Custom1Name : Setup.Custom2Name;
    const double total = n == 1 ? Results.Custom1TotalCost : Results.Custom2TotalCost;
    const bool available = n == 1 ? Results.Custom1Available : Results.Custom2Available;
    const PageControlId line = pageId(PageLINECUSTOM1, n - 1);
    const PageControlId val = pageId(PageVALCUSTOM1, n - 1);
    const int row = n + 3;
    if (!enabled) {
        page[line].visible = false;
        page[val].text.clear();
        emptyRow(pageId(PageCONTROL1, row - 1), pageId(PageVALUE1, row - 1));
        emptyRow(pageId(PagePAYBACK1, row - 1), pageId(PagePAYBACKVALUE1, row - 1));
        return;
    }
    page[line].text = name;
    page[line].visible = true;
    page[val].text = moneyOr(available, total);
    page[pageId(PageCONTROL1, row - 1)].text = name;
    page[pageId(PageVALUE1, row - 1)].text = moneyOr(available && driveAvailable, total - drive);
    paybackRow(row, name, available, total, driveAvailable, drive);
}

void savingsRow(int row, const QString& label, bool available, double total, bool driveAvailable,
                double drive) {
    resultsPage()[pageId(PageCONTROL1, row - 1)].text = label;
    resultsPage()[pageId(PageVALUE1, row - 1)].text =
        moneyOr(available && driveAvailable, total - drive);
}

void costRow(int row, const QString& caption, bool available, double total) {
    resultsPage()[pageId(PageLINE1, row - 1)].text = caption;
    resultsPage()[pageId(PageVAL1, row - 1)].text = moneyOr(available, total);
}

} // namespace

namespace {
// Row 4 of the costs and row 3 of the savings belong to the inlet vane: fans only.
void setVaneRowsVisible(bool visible) {
    ResultsPage& page = resultsPage();
    page[pageId(PageLINE1, 3)].visible = visible;
    page[pageId(PageVAL1, 3)].visible = visible;
    page[pageId(PageCONTROL1, 2)].visible = visible;
    page[pageId(PageVALUE1, 2)].visible = visible;
}
} // namespace

int CaptureDutyCycle() {
    for (int k = 0; k < 10; ++k)
        Results.DutyText[k] = FieldText(10 + k).left(5);
    return DutyTotal(Results.DutyText);
}

bool CheckDutyCycle() {
    const int total = CaptureDutyCycle();
    if (total == 100)
        return true;
    platform::desktop().message(platform::Icon::Error,
                                QStringLiteral("Total Duty Cycle Percentages should equal 100%\r"
                                               "Percentages entered currently equal: ") +
                                    QString::number(total) + QStringLiteral("%"),
                                platform::Buttons::Ok);
    return false;
}

QString DutyTotalText(int total) {
    return QString::number(total) + (total == 100 ? QStringLiteral("%") : QStringLiteral("!"));
}

bool UpdateDutyTotal() {
    const int total = CaptureDutyCycle();
    const bool complete = total == 100;
    if (recalculateHooks().dutyTotalChanged)
        recalculateHooks().dutyTotalChanged(total, complete);
    if (complete)
        Recalculate();
    return true;
}

void CalculateEnergy(int app) {
    Results.HoursPerDay = IntegerValue(FieldText(1));
    Results.DaysPerWeek = IntegerValue(FieldText(2));
    Results.WeeksPerYear = IntegerValue(FieldText(3));
    Results.EnergyPrice = FieldNumber(FieldText(4));
    Results.MotorHP = FieldNumber(FieldText(5));
    Results.MotorEfficiency = FieldNumber(FieldText(6));
    Results.DriveEfficiency = Setup.VfdCurve[0];
    Results.IncentivePerHP = FieldNumber(FieldText(8));
    Results.DriveCost = FieldNumber(FieldText(9));
    if (app != 1 && app != 2)
        return;

    Results.EnergyPrice = static_cast<double>(Results.EnergyPrice / 100.0L);
    Results.MotorEfficiency = static_cast<double>(Results.MotorEfficiency / 100.0L);

    Results.AnnualHours =
        AnnualHoursFor(Results.HoursPerDay, Results.DaysPerWeek, Results.WeeksPerYear);
    const OperatingProfile profile = ComputeProfile(Results.AnnualHours, Results.DutyText);
    if (app == 1) {
        Results.FanDutyPercent = profile.DutyPercent;
        Results.FanHours = profile.Hours;
        Results.FanTotalHours = profile.TotalHours;
    } else {
        Results.PumpDutyPercent = profile.DutyPercent;
        Results.PumpHours = profile.Hours;
        Results.PumpTotalHours = profile.TotalHours;
    }

    EnergyInputs in;
    in.AnnualHours = Results.AnnualHours;
    in.EnergyPrice = Results.EnergyPrice;
    in.MotorHP = Results.MotorHP;
    in.MotorEfficiency = Results.MotorEfficiency;
    in.DriveEfficiency = Results.DriveEfficiency;
    const PointArray& hours = profile.Hours;

    if (app == 1) {
        store(ComputeDrive(in, hours), Results.FanVfdHP, Results.FanVfdCostPerHour,
              Results.FanVfdAnnualCost, Results.FanVfdTotalCost, Results.FanVfdAvailable);
        store(ComputeCurveMethod(in, Setup.DamperCurve, hours), Results.DamperHP,
              Results.DamperCostPerHour, Results.DamperAnnualCost, Results.DamperTotalCost,
              Results.DamperAvailable);
        store(ComputeCurveMethod(in, Setup.VaneCurve, hours), Results.VaneHP,
              Results.VaneCostPerHour, Results.VaneAnnualCost, Results.VaneTotalCost,
              Results.VaneAvailable);
    } else {
        store(ComputeDrive(in, hours), Results.PumpVfdHP, Results.PumpVfdCostPerHour,
              Results.PumpVfdAnnualCost, Results.PumpVfdTotalCost, Results.PumpVfdAvailable);
        store(ComputeCurveMethod(in, Setup.ValveCurve, hours), Results.ValveHP,
              Results.ValveCostPerHour, Results.ValveAnnualCost, Results.ValveTotalCost,
              Results.ValveAvailable);
    }
    store(ComputeCurveMethod(in, Setup.Custom1Curve, hours), Results.Custom1HP,
          Results.Custom1CostPerHour, Results.Custom1AnnualCost, Results.Custom1TotalCost,
          Results.Custom1Available);
    store(ComputeCurveMethod(in, Setup.Custom2Curve, hours), Results.Custom2HP,
          Results.Custom2CostPerHour, Results.Custom2AnnualCost, Results.Custom2TotalCost,
          Results.Custom2Available);
    Results.AcrossLineTotalCost = ComputeAcrossLine(in, &Results.AcrossLineAvailable);
}

void ShowSavings(int app) {
    if (app != 1 && app != 2)
        return;
    ResultsPage& page = resultsPage();
    const bool fan = app == 1;
    const double drive = fan ? Results.FanVfdTotalCost : Results.PumpVfdTotalCost;
    const bool driveAvailable = fan ? Results.FanVfdAvailable : Results.PumpVfdAvailable;
    const double across = Results.AcrossLineTotalCost;
    const bool acrossAvailable = Results.AcrossLineAvailable;
    const QString noControl = QStringLiteral("No Speed Control");

    if (fan) {
        page[PageFLOWM].text = QStringLiteral("Payback Estimation: Fan Application ");
        setVaneRowsVisible(true);
        costRow(1, noControl, acrossAvailable, across);
        costRow(2, QStringLiteral("Variable Frequency Drive"), driveAvailable, drive);
        costRow(3, QStringLiteral("Outlet Damper Control"), Results.DamperAvailable,
                Results.DamperTotalCost);
        costRow(4, QStringLiteral("Inlet Vane Control"), Results.VaneAvailable,
                Results.VaneTotalCost);
    } else {
        page[PageFLOWM].text = QStringLiteral("Payback Estimation: Pump Application ");
        costRow(1, noControl, acrossAvailable, across);
        costRow(2, QStringLiteral("Variable Frequency Drive"), driveAvailable, drive);
        costRow(3, QStringLiteral("Throttling Valve Control"), Results.ValveAvailable,
                Results.ValveTotalCost);
        setVaneRowsVisible(false);
    }

    savingsRow(1, noControl, acrossAvailable, across, driveAvailable, drive);
    if (fan) {
        savingsRow(2, QStringLiteral("Outlet Damper Control"), Results.DamperAvailable,
                   Results.DamperTotalCost, driveAvailable, drive);
        savingsRow(3, QStringLiteral("Inlet Vane Control"), Results.VaneAvailable,
                   Results.VaneTotalCost, driveAvailable, drive);
        paybackRow(1, QStringLiteral("No Control"), acrossAvailable, across, driveAvailable, drive);
        paybackRow(2, QStringLiteral("Outlet Damper"), Results.DamperAvailable,
                   Results.DamperTotalCost, driveAvailable, drive);
        paybackRow(3, QStringLiteral("Inlet Vane"), Results.VaneAvailable, Results.VaneTotalCost,
                   driveAvailable, drive);
    } else {
        savingsRow(2, QStringLiteral("Throttling Valve Control"), Results.ValveAvailable,
                   Results.ValveTotalCost, driveAvailable, drive);
        paybackRow(1, QStringLiteral("No Control"), acrossAvailable, across, driveAvailable, drive);
        paybackRow(2, QStringLiteral("Throttling Valve"), Results.ValveAvailable,
                   Results.ValveTotalCost, driveAvailable, drive);
    }
    userCurveRows(1, driveAvailable, drive);
    userCurveRows(2, driveAvailable, drive);
    if (!fan)
        emptyRow(pageId(PagePAYBACK1, 2), pageId(PagePAYBACKVALUE1, 2));
}

void Recalculate() {
    if (CheckDutyCycle()) {
        if (Shared.AppType == 1 || Shared.AppType == 2) {
            CalculateEnergy(Shared.AppType);
            ShowSavings(Shared.AppType);
        }
        if (recalculateHooks().refreshSelectedGraph)
            recalculateHooks().refreshSelectedGraph();
    }
    if (recalculateHooks().refreshDutyChart)
        recalculateHooks().refreshDutyChart();
}

bool MethodButtonClick(const QString& buttonName) {
    if (buttonName == QLatin1String("LINE1")) {
        platform::desktop().message(
            platform::Icon::Information,
            QStringLiteral("No Speed Control: Energy Cost when the motor is running across the "
                           "line."),
            platform::Buttons::Ok);
        return false;
    }
    int method = 0;
    if (buttonName == QLatin1String("LINE2"))
        method = 1;
    else if (buttonName == QLatin1String("LINE3"))
        method = 2;
    else if (buttonName == QLatin1String("LINE4"))
        method = 3;
    else if (buttonName == QLatin1String("LINECUSTOM1"))
        method = 4;
    else if (buttonName == QLatin1String("LINECUSTOM2"))
        method = 5;
    if (method == 0 || !CheckDutyCycle())
        return false;
    const bool pump = Shared.AppType == 2;
    // The inlet vane exists for fans only: its button always shows a fan run.
    const int app = pump && method != 3 ? 2 : 1;
    CalculateEnergy(app);
    Shared.OverviewAppType = app;
    // A pump's throttling valve is shown as method 3, beside the fan's inlet vane.
    Shared.OverviewMethod = pump && method == 2 ? 3 : method;
    return true;
}

void Incentive01Click() {
    FieldText(20) = QStringLiteral("1");
}

void Incentive02Click() {
    FieldText(20) = QStringLiteral("0");
}

bool OneTimeIncentiveSelected() {
    return std::round(FieldNumber(FieldText(20))) > 0;
}

RecalculateHooks& recalculateHooks() {
    static RecalculateHooks hooks;
    return hooks;
}

void ResetCalculation() {
    Results = CalcResults{};
    resultsPage().reset();
    recalculateHooks() = RecalculateHooks{};
}
