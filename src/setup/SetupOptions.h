#pragma once

#include <QChar>
#include <QString>

#include <array>

using CurveArray = std::array<double, 10>; // index 0 = 100 % flow .. 9 = 10 % flow

// The live program setup values. Created with the defaults, replaced by Load_OPT, written
// back to the settings store by Save_Opt.
struct SetupOptions {
    CurveArray VfdCurve{0.97, 0.97, 0.97, 0.97, 0.97, 0.97, 0.97, 0.97, 0.97, 0.97};
    CurveArray DamperCurve{1.0,    0.7683, 0.5725, 0.4098, 0.2789,
                           0.1767, 0.1012, 0.049,  0.0179, 0.0033};
    CurveArray VaneCurve{1.0, 0.81, 0.64, 0.49, 0.36, 0.25, 0.16, 0.091, 0.04, 0.0104};
    CurveArray ValveCurve{1.0,    0.7683, 0.5725, 0.4098, 0.2789,
                          0.1767, 0.1012, 0.049,  0.0179, 0.0033};
    CurveArray Custom1Curve{1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
    CurveArray Custom2Curve{1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
    bool Custom1Enabled = false;
    bool Custom2Enabled = false;
    QString Custom1Name = QStringLiteral("Custom Control 1");
    QString Custom2Name = QStringLiteral("Custom Control 2");
    bool DamperSelected = true;
    bool InletVaneSelected = true;
    bool ValveSelected = true;
    bool ShowCustomerInfo = true;
    bool ShowTitle = true;
    bool UseCustomLogo = false;
    bool WholeDollarPrices = false;
    bool QuoteFollowUpCheck = false;
    bool ShowWelcome = true;
    bool LetterheadPaper = false;
    bool AutoUpdateCheck = true;
    QString CustomLogoFile;
    QString ClosingLine1;
    QString ClosingLine2;
};

inline SetupOptions Setup;

// Replaces the live values from the settings store (implemented with the setup options).
void Load_OPT();

// ---------------------------------------------------------------------------------------
// The setup view's fields as plain data. The setup window binds its controls to these; the
// routines below read and write them exactly as the window's handlers do, so the whole
// setup works (and is tested) without a window.

// The six curves in the order they are loaded and saved.
enum SetupCurveIndex {
    CurveVfd = 0,
    CurveDamper = 1,
    CurveVane = 2,
    CurveValve = 3,
    CurveCustom1 = 4,
    CurveCustom2 = 5
};
constexpr int SetupCurveCount = 6;

struct SetupFieldTexts {
    // The sixty curve fields: [curve][point], named by SetupCurveFieldName ("VFDE100", ...).
    std::array<std::array<QString, 10>, SetupCurveCount> Curves{};
    QString CustomTitle1;
    QString CustomTitle2;
    bool DAMPERSELECT = true;
    bool INLETVANESELECT = true;
    bool VALVESELECT = true;
    bool CUST1SELECT = false;
    bool CUST2SELECT = false;
    std::array<bool, 8> L{true, true, false, false, false, true, false, true}; // L1 .. L8
    QString LOGOFILEN;
    QString LOGOFILENHint;
    QString Closing_Line1;
    QString Closing_Line2;
    QString CompanyInfo; // multi-line, lines separated by CR LF
    QString PRBY;        // multi-line, lines separated by CR LF
};

inline SetupFieldTexts SetupView;

// The live curve with the given index.
CurveArray& SetupCurve(int curve);
// The store key (and field name) of one curve point: "VFDE100" .. "C2E10".
QString SetupCurveFieldName(int curve, int point);
// The default text of one curve point ("0.97", "0.7683", ...).
QString DefaultCurveText(int curve, int point);

// A stored curve value: its text from section "EFF"; a missing value gives the default
// text, a text that is not a well-formed number is replaced in the store by the default.
double ReadCurveValue(const QString& key, const QString& defaultText);
// True when the whole text (blanks around it allowed) is a finite decimal number with a
// point as decimal mark and an optional exponent.
bool ParseWellFormedNumber(const QString& text, double* value);
// A curve field's text as a number: its longest leading number (FieldNumber); an empty text
// or one that does not start like a number gives 0, one beyond a double the largest double.
double CurveFieldNumber(const QString& text);
// A curve value as its field shows it: three decimals, a point, at most 10 characters.
QString CurveFieldText(double value);

// Writes every setup value from the view's fields to the store and to the live values.
bool Save_Opt();
// Fills the view's fields from the live values (the view's show handler).
void SetupFormShow();
// The Reset button: live curves and curve fields back to the defaults; the store stays.
void ResetCurves();
// Key filter of the curve fields: true when the character may be typed.
bool MULTkeyPress(QChar key);
// Exit rule of a curve field: above 1 gives 1, below 0 or not a number gives 0, three
// decimals.
void MULTEXIT(QString& fieldText);

// Live values and fields back to the values of a fresh start (program start and tests).
void ResetSetupOptions();
