#pragma once

#include <QString>

#include <array>

// The twenty numeric fields of the estimation wizard (A101 .. A120) as plain texts. They are
// the working values of an estimation: the calculation reads these texts, never the
// parameter table. The wizard binds its edits to them.
struct WizardFieldTexts {
    std::array<QString, 20> texts{}; // texts[0] is A101
};

inline WizardFieldTexts WizardFields;

// The text of field A1nn, n = 1 .. 20 (A101 = 1). Out-of-range numbers give a scratch text.
QString& FieldText(int n);
// The field's control name, "A101" .. "A120".
QString FieldName(int n);

// Fills the twenty texts from the live parameter table, each with its parameter's decimals
// (the wizard's load pass). Parameters missing from the table leave their text alone.
void LoadFieldsFromParameters();
// Stores the twenty texts into the live parameter table as 32-bit floats (the wizard's
// store pass); no range check.
void StoreFieldsToParameters();

// The real value of a field text: a decimal number with a point, leading blanks skipped,
// an optional sign and exponent; an empty text is 0. A text that is not a well-formed
// number gives the value of its longest leading number (0 when there is none). The result
// is always finite: a number too large for a double gives the largest double of its sign.
double FieldNumber(const QString& text);

// The integer value of a text: leading blanks skipped, one sign accepted, then digits up to
// the first other character. When the digits run to the end the value carries the sign;
// when another character stops them the sign is dropped (12.5 counts 12, -12.5 counts 12).
// An empty text or one without digits counts 0. Values beyond 32 bits are held at the
// nearest 32-bit limit.
int IntegerValue(const QString& text);
