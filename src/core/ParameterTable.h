#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// One numbered input of an estimation: its limits, display resolution, current value and
// the identity under which project files carry it.
struct ParameterRecord {
    std::uint16_t number = 0;
    char listId[2] = {'A', '1'};
    std::uint16_t tagNumber = 0;
    QString unitText;   // at most 38 characters
    QString formatText; // at most 10 characters
    float value = 0;
    float minimum = 0;
    float maximum = 0;
    float rangeStep = 1; // 1, 10, 100, 1000, 10000: 0 to 4 decimals
    std::uint8_t editType = 0;

    QString listText() const { return QString::fromLatin1(listId, 2); }
};

constexpr int MaxParameters = 300;

// The live table and its shadow copy, slots numbered from 1. The shadow keeps the
// definition values for the whole run; only the project reader's check pass reads it.
struct ParameterTable {
    std::array<std::optional<ParameterRecord>, MaxParameters + 1> live{};
    std::array<std::optional<ParameterRecord>, MaxParameters + 1> shadow{};
    int count = 0;
};

inline ParameterTable Params;

// Appends one parameter. A broken definition shows its error message and ends the program
// through the desktop; the definition stops there.
void DefineParameter(int number, const char listId[2], int tagNumber, const QString& unitText,
                     const QString& formatText, float defaultValue, float minimum, float maximum,
                     float rangeStep, int editType);
// The twenty parameters of an estimation, in the order of their numbers.
void DefineAllParameters();
// Empties the table (program start and tests).
void ClearParameters();

int ParameterCount();
ParameterRecord& Parameter(int position);
ParameterRecord& ShadowParameter(int position);
int DecimalsOf(const ParameterRecord& record);

// The default value of parameter n (1 to 20) as defined.
float ParameterDefault(int number);
// Writes the defaults into parameters 1 to 19; parameter 20 keeps its value.
void ResetParametersToDefaults();

// A value as the program writes numbers: fixed point, a point as decimal mark, no
// separators, halves away from zero (taken on the exact binary value).
QString FormatFixed(double value, int decimals);
// The record's value with its decimals.
QString ParameterText(const ParameterRecord& record);
