#include "calc/EnergyModel.h"

#include "calc/WizardFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

constexpr long double KwPerHP = 0.746L;

// The exact rule on the decimal digits: used only when the value lies so close to half a
// cent that the 18-digit step could decide the result.
double roundToCentsByDigits(long double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", value);
    // buffer: [-]d.ddddddddddddddddde[+-]xx
    const char* p = buffer;
    bool negative = false;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    char digits[20];
    int n = 0;
    for (; *p && *p != 'e' && n < 18; ++p)
        if (*p >= '0' && *p <= '9')
            digits[n++] = *p;
    while (*p && *p != 'e')
        ++p;
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    double result = 0;
    // Digits kept: everything up to the hundredths.
    const int keep = exponent + 1 + 2;
    if (keep >= n) {
        // No digit after the hundredths among the eighteen: the value is its digits. The
        // text is rebuilt, since printf wrote the locale's decimal mark.
        char text[48];
        const int size = std::snprintf(text, sizeof text, "%.*se%d", n, digits, exponent - (n - 1));
        std::from_chars(text, text + size, result, std::chars_format::scientific);
        return negative && result != 0 ? -result : result;
    }
    if (keep >= 0) {
        long long cents = 0;
        for (int i = 0; i < keep; ++i)
            cents = cents * 10 + (digits[i] - '0');
        if (digits[keep] >= '5')
            ++cents;
        char text[40];
        const int size = std::snprintf(text, sizeof text, "%llde-2", cents);
        std::from_chars(text, text + size, result, std::chars_format::scientific);
    }
    return negative && result != 0 ? -result : result;
}

// Money texts, charts and the report take amounts as 32-bit floats: an amount beyond their
// range cannot be shown (it would read as $0), so it counts as not finite.
bool showable(double amount) {
    return std::fabs(amount) <= std::numeric_limits<float>::max();
}

bool finite(const MethodResult& m) {
    for (int k = 0; k < 10; ++k)
        if (!std::isfinite(m.HP[k]) || !showable(m.CostPerHour[k]) || !showable(m.AnnualCost[k]))
            return false;
    return showable(m.TotalCost);
}

MethodResult unavailable() {
    MethodResult m;
    m.Available = false;
    return m;
}

void costs(MethodResult& m, const EnergyInputs& in, long double divisor, const PointArray& hours) {
    for (int k = 0; k < 10; ++k) {
        const long double perHour = KwPerHP * m.HP[k] * in.EnergyPrice / divisor;
        m.CostPerHour[k] = RoundToCents(perHour);
    }
    m.TotalCost = 0;
    for (int k = 0; k < 10; ++k) {
        m.AnnualCost[k] = static_cast<double>(static_cast<long double>(m.CostPerHour[k]) *
                                              static_cast<long double>(hours[k]));
        m.TotalCost = static_cast<double>(static_cast<long double>(m.TotalCost) + m.AnnualCost[k]);
    }
}

} // namespace

int AnnualHoursFor(int hoursPerDay, int daysPerWeek, int weeksPerYear) {
    // Exact whenever the product fits 32 bits; anything beyond is held at the limit.
    const long double product = static_cast<long double>(hoursPerDay) * daysPerWeek * weeksPerYear;
    if (product >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (product <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    const int hours = static_cast<int>(product);
    return hours == 8736 ? 8760 : hours;
}

int DutyTotal(const std::array<QString, 10>& dutyText) {
    long long total = 0;
    for (const QString& text : dutyText)
        total += IntegerValue(text);
    return static_cast<int>(std::clamp<long long>(total, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

OperatingProfile ComputeProfile(int annualHours, const std::array<QString, 10>& dutyText) {
    OperatingProfile profile;
    for (int k = 0; k < 10; ++k) {
        profile.DutyPercent[k] = IntegerValue(dutyText[k]);
        profile.Hours[k] = static_cast<double>(static_cast<long double>(annualHours) *
                                               (profile.DutyPercent[k] / 100.0L));
    }
    for (int k = 0; k < 10; ++k)
        profile.TotalHours = profile.TotalHours + profile.Hours[k];
    return profile;
}

long double Cube(int k) {
    const long double m = 10 - k;
    return m * 0.1L * m * 0.1L * m * 0.1L;
}

double RoundToCents(long double value) {
    if (!std::isfinite(value))
        return static_cast<double>(value);
    const long double scaled = std::fabs(value) * 100.0L;
    // Cents beyond 2^53 cannot be told apart in a double: the digits decide.
    if (scaled < 9.0e15L) {
        const long double whole = std::floor(scaled);
        const long double fraction = scaled - whole;
        // Far from half a cent the 18-digit step cannot change which way the value rounds.
        // That step moves the value by up to half a unit of its eighteenth digit, which for a
        // large amount lies above the hundredths' ninth decimal: the margin grows with it.
        const long double margin = std::max(1e-9L, scaled * 1e-16L);
        if (std::fabs(fraction - 0.5L) > margin) {
            const long double cents = fraction > 0.5L ? whole + 1 : whole;
            const double result = static_cast<double>(cents) / 100.0;
            return value < 0 && result != 0 ? -result : result;
        }
    }
    return roundToCentsByDigits(value);
}

MethodResult ComputeDrive(const EnergyInputs& in, const PointArray& hours) {
    if (!std::isfinite(in.DriveEfficiency) || in.DriveEfficiency == 0)
        return unavailable();
    MethodResult m;
    for (int k = 0; k < 10; ++k)
        m.HP[k] = static_cast<double>(Cube(k) * in.MotorHP);
    costs(m, in,
          static_cast<long double>(in.MotorEfficiency) *
              static_cast<long double>(in.DriveEfficiency),
          hours);
    return finite(m) ? m : unavailable();
}

MethodResult ComputeCurveMethod(const EnergyInputs& in, const CurveArray& curve,
                                const PointArray& hours) {
    for (double entry : curve)
        if (!std::isfinite(entry) || entry == 0)
            return unavailable();
    MethodResult m;
    for (int k = 0; k < 10; ++k)
        m.HP[k] = static_cast<double>(Cube(k) * in.MotorHP / curve[k]);
    costs(m, in, in.MotorEfficiency, hours);
    return finite(m) ? m : unavailable();
}

double ComputeAcrossLine(const EnergyInputs& in, bool* available) {
    const long double total = static_cast<long double>(in.AnnualHours) * in.MotorHP /
                              in.MotorEfficiency * KwPerHP * in.EnergyPrice;
    const double result = static_cast<double>(total);
    *available = showable(result);
    return *available ? result : 0.0;
}
