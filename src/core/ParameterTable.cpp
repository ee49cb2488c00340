#include "core/ParameterTable.h"

#include "platform/Desktop.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

struct Definition {
    float defaultValue;
    float minimum;
    float maximum;
    float rangeStep;
};

// Parameters 1 to 20 of list A1: hours, days, weeks, price, motor, efficiencies, incentive,
// drive cost, the ten duty shares (100 % flow first) and the incentive kind.
constexpr Definition Definitions[20] = {
    {24, 1, 24, 1},        {7, 1, 7, 1},      {52, 1, 52, 1},    {10, 0, 100, 100},
    {150, 0.2f, 5000, 10}, {95, 50, 100, 10}, {97, 50, 100, 10}, {0, 0, 9999, 10},
    {0, 0, 1000000, 1},    {1, 0, 100, 1},    {2, 0, 100, 1},    {9, 0, 100, 1},
    {17, 0, 100, 1},       {24, 0, 100, 1},   {17, 0, 100, 1},   {13, 0, 100, 1},
    {11, 0, 100, 1},       {6, 0, 100, 1},    {0, 0, 100, 1},    {1, 0, 1, 1},
};

void fatal(const QString& text) {
    platform::desktop().message(platform::Icon::Error, text, platform::Buttons::Ok);
    platform::desktop().endProgram(1);
}

} // namespace

void DefineParameter(int number, const char listId[2], int tagNumber, const QString& unitText,
                     const QString& formatText, float defaultValue, float minimum, float maximum,
                     float rangeStep, int editType) {
    ++Params.count;
    if (Params.count > MaxParameters) {
        fatal(QStringLiteral("Maximum number of parameters exceeded !"));
        return;
    }

    ParameterRecord record;
    const bool slotValid = number >= 1 && number <= MaxParameters;
    if (slotValid) {
        Params.live[number] = record;
        Params.shadow[number] = record;
    }

    const QString no = QString::number(number).left(3);
    if (minimum >= maximum) {
        fatal(QStringLiteral("PARAMETER LIST ERROR MIN>=MAX LIST NO. :") + no);
        return;
    }
    if (rangeStep == 0) {
        fatal(QStringLiteral("RANGE STEP LIST ERROR LIST NO. :") + no);
        return;
    }
    if (rangeStep < 1) {
        fatal(QStringLiteral("RANGE STEP LIST ERROR LIST < 1 NO. :") + no);
        return;
    }
    if (defaultValue < minimum || defaultValue > maximum) {
        fatal(QStringLiteral("DEFAULT VALUE VF not in Range LIST NO :") + no);
        return;
    }
    if (editType > 2) {
        fatal(QStringLiteral("EDIT TYPE is not 0/1 LIST NO :") + no);
        return;
    }

    record.number = static_cast<std::uint16_t>(number);
    record.listId[0] = listId[0];
    record.listId[1] = listId[1];
    record.tagNumber = static_cast<std::uint16_t>(tagNumber);
    record.unitText = unitText.left(38);
    record.formatText = formatText.left(10);
    record.value = defaultValue;
    record.minimum = minimum;
    record.maximum = maximum;
    record.rangeStep = rangeStep;
    record.editType = static_cast<std::uint8_t>(editType);
    if (slotValid) {
        Params.live[number] = record;
        Params.shadow[number] = record;
    }
}

void DefineAllParameters() {
    for (int n = 1; n <= 20; ++n) {
        const Definition& d = Definitions[n - 1];
        DefineParameter(n, "A1", n, QString(), QString(), d.defaultValue, d.minimum, d.maximum,
                        d.rangeStep, 0);
    }
}

void ClearParameters() {
    Params = ParameterTable{};
}

int ParameterCount() {
    return Params.count;
}

ParameterRecord& Parameter(int position) {
    return *Params.live.at(position);
}

ParameterRecord& ShadowParameter(int position) {
    return *Params.shadow.at(position);
}

int DecimalsOf(const ParameterRecord& record) {
    if (record.rangeStep <= 1)
        return 0;
    if (record.rangeStep <= 10)
        return 1;
    if (record.rangeStep <= 100)
        return 2;
    if (record.rangeStep <= 1000)
        return 3;
    return 4;
}

float ParameterDefault(int number) {
    if (number < 1 || number > 20)
        return 0;
    return Definitions[number - 1].defaultValue;
}

void ResetParametersToDefaults() {
    for (int n = 1; n <= 19 && n <= Params.count; ++n) {
        if (Params.live[n])
            Params.live[n]->value = Definitions[n - 1].defaultValue;
    }
}

QString FormatFixed(double value, int decimals) {
    if (!std::isfinite(value))
        return QStringLiteral("0");
    decimals = std::clamp(decimals, 0, 20);
    // Fast path, still exact: for up to four decimals the scaled value fits the 64-bit
    // mantissa of a long double (53 bits times 5^4 < 2^10, the powers of two are free), so
    // the product is the exact scaled value and the half can be told exactly.
    if (decimals <= 4 && std::fabs(value) < 1e14) {
        static constexpr long double Scale[5] = {1.0L, 10.0L, 100.0L, 1000.0L, 10000.0L};
        const long double scaled = std::fabs(static_cast<long double>(value)) * Scale[decimals];
        long double whole = std::floor(scaled);
        if (scaled - whole >= 0.5L)
            whole += 1;
        const auto units = static_cast<unsigned long long>(whole);
        const auto divisor = static_cast<unsigned long long>(Scale[decimals]);
        QString text = QString::number(units / divisor);
        if (decimals > 0)
            text += QLatin1Char('.') +
                    QString::number(units % divisor).rightJustified(decimals, QLatin1Char('0'));
        if (std::signbit(value) && units != 0)
            text.prepend(QLatin1Char('-'));
        return text;
    }
    // The exact decimal expansion of the double, then rounded by hand: printf alone would
    // round exact halves to even.
    const bool negative = std::signbit(value) && value != 0;
    // to_chars, unlike printf, ignores the C locale's decimal mark.
    char buffer[400];
    const auto converted = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                         std::chars_format::fixed, 80);
    QByteArray digits(buffer, static_cast<int>(converted.ptr - buffer));
    const int point = digits.indexOf('.');
    QByteArray intPart = digits.left(point);
    QByteArray frac = digits.mid(point + 1);
    const bool roundUp = frac.size() > decimals && frac.at(decimals) >= '5';
    frac.truncate(decimals);
    QByteArray all = intPart + frac;
    if (roundUp) {
        int i = all.size() - 1;
        while (i >= 0) {
            if (all[i] == '9') {
                all[i] = '0';
                --i;
            } else {
                all[i] = static_cast<char>(all[i] + 1);
                break;
            }
        }
        if (i < 0)
            all.prepend('1');
    }
    QByteArray whole = all.left(all.size() - decimals);
    QByteArray fraction = all.right(decimals);
    QString text = QString::fromLatin1(whole);
    if (decimals > 0)
        text += QLatin1Char('.') + QString::fromLatin1(fraction);
    bool allZero = true;
    for (QChar c : text)
        if (c != QLatin1Char('0') && c != QLatin1Char('.'))
            allZero = false;
    if (negative && !allZero)
        text.prepend(QLatin1Char('-'));
    return text;
}

QString ParameterText(const ParameterRecord& record) {
    return FormatFixed(record.value, DecimalsOf(record));
}
