#pragma once

#include <QString>

#include <array>

using CurveArray = std::array<double, 10>; // index 0 = 100 % flow .. 9 = 10 % flow

// The live program setup values. Created with the defaults, replaced by Load_OPT, written
// back to the settings store by Save_Opt.
struct SetupOptions {
    CurveArray VfdCurve{};
    CurveArray DamperCurve{};
    CurveArray VaneCurve{};
    CurveArray ValveCurve{};
    CurveArray Custom1Curve{};
    CurveArray Custom2Curve{};
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
