#include "cli/CalcJson.h"

#include "calc/CalcResults.h"
#include "calc/ResultsPage.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

class JsonWriter {
public:
    QByteArray out;

    void string(const QString& text) {
        out += '"';
        for (const char c : text.toUtf8()) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                out += '\\';
                out += c;
            } else if (c == '\n') {
                out += "\\n";
            } else if (c == '\r') {
                out += "\\r";
            } else if (c == '\t') {
                out += "\\t";
            } else if (u < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
                out += buffer;
            } else {
                out += c;
            }
        }
        out += '"';
    }
    void number(double value) {
        // Results never hold infinities or NaN; should one slip through, JSON gets 0.
        if (!std::isfinite(value))
            value = 0;
        char buffer[40];
        const auto result =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
        out.append(buffer, static_cast<qsizetype>(result.ptr - buffer));
    }
    void number(int value) { out += QByteArray::number(value); }
    void boolean(bool value) { out += value ? "true" : "false"; }
    void key(const char* name) { key(QString::fromLatin1(name)); }
    void key(const QString& name) {
        separator();
        string(name);
        out += ": ";
        pendingValue = true;
    }
    void beginObject() {
        value();
        out += '{';
        first = true;
    }
    void endObject() {
        out += '}';
        first = false;
    }
    void beginArray() {
        value();
        out += '[';
        first = true;
    }
    void endArray() {
        out += ']';
        first = false;
    }
    // Before a value: a comma unless it is the first of its list or follows a key.
    void value() {
        if (pendingValue) {
            pendingValue = false;
            return;
        }
        separator();
    }

    template <typename Array> void numbers(const Array& values) {
        beginArray();
        for (const auto v : values) {
            value();
            number(v);
        }
        endArray();
    }

private:
    void separator() {
        if (!first)
            out += ", ";
        first = false;
    }
    bool first = true;
    bool pendingValue = false;
};

// "name": value, for a number of either kind.
template <typename Number> void numberEntry(JsonWriter& json, const char* name, Number value) {
    json.key(name);
    json.value();
    json.number(value);
}

void method(JsonWriter& json, const char* name, const PointArray& hp, const PointArray& costPerHour,
            const PointArray& annual, double total, bool available) {
    json.key(name);
    json.beginObject();
    json.key("HP");
    json.numbers(hp);
    json.key("CostPerHour");
    json.numbers(costPerHour);
    json.key("AnnualCost");
    json.numbers(annual);
    numberEntry(json, "TotalCost", total);
    json.key("available");
    json.value();
    json.boolean(available);
    json.endObject();
}

} // namespace

QByteArray CalculationJson(int app) {
    const CalcResults& r = Results;
    const bool fan = app == 1;
    JsonWriter json;
    json.beginObject();
    json.key("application");
    json.value();
    json.string(fan ? QStringLiteral("FAN") : QStringLiteral("PUMP"));

    json.key("inputs");
    json.beginObject();
    numberEntry(json, "HoursPerDay", r.HoursPerDay);
    numberEntry(json, "DaysPerWeek", r.DaysPerWeek);
    numberEntry(json, "WeeksPerYear", r.WeeksPerYear);
    numberEntry(json, "AnnualHours", r.AnnualHours);
    numberEntry(json, "EnergyPrice", r.EnergyPrice);
    numberEntry(json, "MotorHP", r.MotorHP);
    numberEntry(json, "MotorEfficiency", r.MotorEfficiency);
    numberEntry(json, "DriveEfficiency", r.DriveEfficiency);
    numberEntry(json, "IncentivePerHP", r.IncentivePerHP);
    numberEntry(json, "DriveCost", r.DriveCost);
    json.endObject();

    json.key("DutyText");
    json.beginArray();
    for (const QString& text : r.DutyText) {
        json.value();
        json.string(text);
    }
    json.endArray();
    json.key("DutyPercent");
    json.numbers(fan ? r.FanDutyPercent : r.PumpDutyPercent);
    json.key("Hours");
    json.numbers(fan ? r.FanHours : r.PumpHours);
    numberEntry(json, "TotalHours", fan ? r.FanTotalHours : r.PumpTotalHours);
    numberEntry(json, "AcrossLineTotalCost", r.AcrossLineTotalCost);
    json.key("AcrossLineAvailable");
    json.value();
    json.boolean(r.AcrossLineAvailable);

    json.key("methods");
    json.beginObject();
    if (fan) {
        method(json, "Vfd", r.FanVfdHP, r.FanVfdCostPerHour, r.FanVfdAnnualCost, r.FanVfdTotalCost,
               r.FanVfdAvailable);
        method(json, "Damper", r.DamperHP, r.DamperCostPerHour, r.DamperAnnualCost,
               r.DamperTotalCost, r.DamperAvailable);
        method(json, "Vane", r.VaneHP, r.VaneCostPerHour, r.VaneAnnualCost, r.VaneTotalCost,
               r.VaneAvailable);
    } else {
        method(json, "Vfd", r.PumpVfdHP, r.PumpVfdCostPerHour, r.PumpVfdAnnualCost,
               r.PumpVfdTotalCost, r.PumpVfdAvailable);
        method(json, "Valve", r.ValveHP, r.ValveCostPerHour, r.ValveAnnualCost, r.ValveTotalCost,
               r.ValveAvailable);
    }
    method(json, "Custom1", r.Custom1HP, r.Custom1CostPerHour, r.Custom1AnnualCost,
           r.Custom1TotalCost, r.Custom1Available);
    method(json, "Custom2", r.Custom2HP, r.Custom2CostPerHour, r.Custom2AnnualCost,
           r.Custom2TotalCost, r.Custom2Available);
    json.endObject();

    json.key("page");
    json.beginObject();
    for (const QString& name : ResultsPage::controlNames()) {
        const PageControl control = resultsPage().value(name);
        json.key(name);
        json.beginObject();
        json.key("text");
        json.value();
        json.string(control.text);
        json.key("visible");
        json.value();
        json.boolean(control.visible);
        json.key("color");
        json.value();
        json.string(colourName(control.colour));
        json.endObject();
    }
    json.endObject();
    json.endObject();
    json.out += '\n';
    return json.out;
}
