#include "calc/Savings.h"

#include "core/ParameterTable.h"

namespace {

// A payback shorter than one day reads "Immediate".
constexpr double OneDay = 1.0 / 365.0;

PaybackResult years(double value) {
    if (value < OneDay)
        return {QStringLiteral("Immediate"), true};
    return {PaybackYearsText(value), false};
}

} // namespace

QString PaybackYearsText(double years) {
    return FormatFixed(years, 3).rightJustified(8, QLatin1Char(' ')) + QStringLiteral(" Years");
}

PaybackResult Payback(double savings, double incentive, double driveCost, IncentiveKind kind) {
    if (kind == IncentiveKind::Yearly) {
        const double benefit = savings + incentive; // received every year
        if (benefit > 0)
            return years(driveCost / benefit);
        return {QStringLiteral("Never"), true};
    }
    const double net = driveCost - incentive; // the incentive lowers the cost once
    if (net <= 0)
        return {QStringLiteral("Immediate"), true};
    if (savings > 0)
        return years(net / savings);
    return {QStringLiteral("Never"), true};
}
