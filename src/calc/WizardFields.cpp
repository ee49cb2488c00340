#include "calc/WizardFields.h"

#include "core/ParameterTable.h"

#include <charconv>
#include <cmath>
#include <limits>

QString& FieldText(int n) {
    static QString scratch;
    if (n < 1 || n > 20) {
        scratch.clear();
        return scratch;
    }
    return WizardFields.texts[static_cast<std::size_t>(n - 1)];
}

QString FieldName(int n) {
    return QStringLiteral("A1") + QString::number(n).rightJustified(2, QLatin1Char('0'));
}

void LoadFieldsFromParameters() {
    for (int n = 1; n <= 20; ++n) {
        if (n > ParameterCount() || !Params.live[static_cast<std::size_t>(n)])
            continue;
        FieldText(n) = ParameterText(Parameter(n)).left(10);
    }
}

void StoreFieldsToParameters() {
    for (int n = 1; n <= 20; ++n) {
        if (n > ParameterCount() || !Params.live[static_cast<std::size_t>(n)])
            continue;
        Parameter(n).value = static_cast<float>(FieldNumber(FieldText(n)));
    }
}

double FieldNumber(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    const QByteArray bytes = text.mid(start).toLatin1();
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    const char* p = begin;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // Only digits and a point may start the number: from_chars would take "inf" and "nan".
    if (p == end || !((*p >= '0' && *p <= '9') || *p == '.'))
        return 0;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(p, end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Either too large or too small; decide by the exponent's sign.
        const QByteArray rest = QByteArray(p, static_cast<qsizetype>(end - p)).toLower();
        const qsizetype e = rest.indexOf('e');
        const bool tiny = e >= 0 && e + 1 < rest.size() && rest.at(e + 1) == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::max();
    } else if (ec != std::errc()) {
        return 0;
    }
    if (!std::isfinite(value))
        value = std::numeric_limits<double>::max();
    return negative ? -value : value;
}

int IntegerValue(const QString& text) {
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < size && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    constexpr long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    while (i < size && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
        value = value * 10 + (text.at(i).unicode() - '0');
        if (value > limit)
            value = limit;
        ++i;
    }
    if (i < size) // stopped by another character: the digits so far, without the sign
        negative = false;
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        value = std::numeric_limits<int>::max();
    return static_cast<int>(value);
}
