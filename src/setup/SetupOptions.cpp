#include "setup/SetupOptions.h"

#include "calc/WizardFields.h"
#include "core/ParameterTable.h"
#include "shell/TReg.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

namespace {

const char* const CurvePrefix[SetupCurveCount] = {"VFDE", "DE", "IVE", "VAE", "C1E", "C2E"};

// The default texts, 100 % flow first. Damper and valve share theirs.
const char* const DamperDefaults[10] = {"1.000",  "0.7683", "0.5725", "0.4098", "0.2789",
                                        "0.1767", "0.1012", "0.049",  "0.0179", "0.0033"};
const char* const VaneDefaults[10] = {"1.000", "0.81", "0.64",  "0.49", "0.36",
                                      "0.25",  "0.16", "0.091", "0.04", "0.0104"};

const QString Eff = QStringLiteral("EFF");
const QString Program = QStringLiteral("PROGRAM");
const QString CustomRep = QStringLiteral("CUSTOMREP");
const QString User = QStringLiteral("USER");

// The option flags L1 .. L8 with their defaults.
constexpr bool OptionDefaults[8] = {true, true, false, false, false, true, false, true};

bool* optionFlag(int index) {
    switch (index) {
    case 0:
        return &Setup.ShowCustomerInfo;
    case 1:
        return &Setup.ShowTitle;
    case 2:
        return &Setup.UseCustomLogo;
    case 3:
        return &Setup.WholeDollarPrices;
    case 4:
        return &Setup.QuoteFollowUpCheck;
    case 5:
        return &Setup.ShowWelcome;
    case 6:
        return &Setup.LetterheadPaper;
    default:
        return &Setup.AutoUpdateCheck;
    }
}

QString optionKey(int index) {
    return QStringLiteral("L") + QString::number(index + 1);
}

std::unique_ptr<TReg> store() {
    auto reg = std::make_unique<TReg>();
    reg->Path = SetupKeyPath;
    return reg;
}

// Parses a number from the start of `text` (no blanks): an optional sign, digits with at
// most one point, an optional exponent. Returns the characters used (0 when none) and the
// value; an out-of-range value counts as no number.
qsizetype leadingNumber(const QByteArray& text, double* value) {
    const char* begin = text.constData();
    const char* end = begin + text.size();
    const char* p = begin;
    bool plus = false;
    if (p != end && *p == '+') {
        plus = true;
        ++p;
    }
    // from_chars would also take "inf" and "nan"; only digits and points start a number.
    const char* q = p;
    if (q != end && *q == '-' && !plus)
        ++q;
    if (q == end || !((*q >= '0' && *q <= '9') || *q == '.'))
        return 0;
    double result = 0;
    const auto [ptr, ec] = std::from_chars(p, end, result, std::chars_format::general);
    if (ec != std::errc() || !std::isfinite(result))
        return 0;
    *value = result;
    return ptr - begin;
}

} // namespace

CurveArray& SetupCurve(int curve) {
    switch (curve) {
    case CurveVfd:
        return Setup.VfdCurve;
    case CurveDamper:
        return Setup.DamperCurve;
    case CurveVane:
        return Setup.VaneCurve;
    case CurveValve:
        return Setup.ValveCurve;
    case CurveCustom1:
        return Setup.Custom1Curve;
    default:
        return Setup.Custom2Curve;
    }
}

QString SetupCurveFieldName(int curve, int point) {
    return QString::fromLatin1(CurvePrefix[std::clamp(curve, 0, SetupCurveCount - 1)]) +
           QString::number((10 - point) * 10);
}

QString DefaultCurveText(int curve, int point) {
    point = std::clamp(point, 0, 9);
    switch (curve) {
    case CurveVfd:
        return QStringLiteral("0.97");
    case CurveDamper:
    case CurveValve:
        return QString::fromLatin1(DamperDefaults[point]);
    case CurveVane:
        return QString::fromLatin1(VaneDefaults[point]);
    default:
        return QStringLiteral("1.000");
    }
}

bool ParseWellFormedNumber(const QString& text, double* value) {
    const QByteArray bytes = text.trimmed().toLatin1();
    if (bytes.isEmpty() || text.trimmed().size() != bytes.size())
        return false;
    double result = 0;
    if (leadingNumber(bytes, &result) != bytes.size())
        return false;
    *value = result;
    return true;
}

double CurveFieldNumber(const QString& text) {
    // The same reading as the wizard's number fields: a number beyond a double's range is the
    // largest double, so the exit rule makes it 1 like any other number above 1.
    return FieldNumber(text);
}

QString CurveFieldText(double value) {
    return FormatFixed(value, 3).left(10);
}

double ReadCurveValue(const QString& key, const QString& defaultText) {
    const auto reg = store();
    const QString text = reg->ReadString(Eff, key, defaultText);
    double value = 0;
    if (ParseWellFormedNumber(text, &value))
        return value;
    reg->WriteString(Eff, key, defaultText);
    ParseWellFormedNumber(defaultText, &value);
    return value;
}

void Load_OPT() {
    const auto reg = store();
    reg->Open();
    for (int curve = 0; curve < SetupCurveCount; ++curve) {
        for (int point = 0; point < 10; ++point)
            SetupCurve(curve)[point] =
                ReadCurveValue(SetupCurveFieldName(curve, point), DefaultCurveText(curve, point));
    }

    Setup.DamperSelected = reg->ReadBool(Eff, QStringLiteral("DAMPER"), true);
    Setup.InletVaneSelected = reg->ReadBool(Eff, QStringLiteral("INLETVANE"), true);
    Setup.ValveSelected = reg->ReadBool(Eff, QStringLiteral("VALVE"), true);
    Setup.Custom1Enabled = reg->ReadBool(Eff, QStringLiteral("CUSTOM1"), false);
    Setup.Custom2Enabled = reg->ReadBool(Eff, QStringLiteral("CUSTOM2"), false);

    Setup.Custom1Name =
        reg->ReadString(Eff, QStringLiteral("CUSTOM1TITLE"), QStringLiteral("Custom Control 1"))
            .left(30);
    Setup.Custom2Name =
        reg->ReadString(Eff, QStringLiteral("CUSTOM2TITLE"), QStringLiteral("Custom Control 2"))
            .left(30);

    Setup.CustomLogoFile = reg->ReadString(CustomRep, QStringLiteral("LOGOFN"), QString());
    SetupView.LOGOFILEN = Setup.CustomLogoFile;

    SetupView.Closing_Line1 = reg->ReadString(CustomRep, QStringLiteral("CL1"), QString());
    SetupView.Closing_Line2 = reg->ReadString(CustomRep, QStringLiteral("CL2"), QString());
    Setup.ClosingLine1 = SetupView.Closing_Line1.left(80);
    Setup.ClosingLine2 = SetupView.Closing_Line2.left(80);

    for (int i = 0; i < 8; ++i)
        *optionFlag(i) = reg->ReadBool(Program, optionKey(i), OptionDefaults[i]);

    SetupView.PRBY = reg->ReadString(User, QStringLiteral("PREP"), QString());
    SetupView.CompanyInfo = reg->ReadString(User, QStringLiteral("CPINFO"), QString());
    reg->Close();
}

bool Save_Opt() {
    const auto reg = store();
    reg->Open();
    for (int curve = 0; curve < SetupCurveCount; ++curve) {
        const auto& fields = SetupView.Curves[static_cast<std::size_t>(curve)];
        for (int point = 0; point < 10; ++point)
            reg->WriteString(Eff, SetupCurveFieldName(curve, point),
                             fields[static_cast<std::size_t>(point)]);
        for (int point = 0; point < 10; ++point)
            SetupCurve(curve)[point] = CurveFieldNumber(fields[static_cast<std::size_t>(point)]);
    }

    reg->WriteString(Eff, QStringLiteral("CUSTOM1TITLE"), SetupView.CustomTitle1);
    reg->WriteString(Eff, QStringLiteral("CUSTOM2TITLE"), SetupView.CustomTitle2);
    Setup.Custom1Name = SetupView.CustomTitle1.left(30);
    Setup.Custom2Name = SetupView.CustomTitle2.left(30);

    reg->WriteBool(Eff, QStringLiteral("DAMPER"), SetupView.DAMPERSELECT);
    reg->WriteBool(Eff, QStringLiteral("INLETVANE"), SetupView.INLETVANESELECT);
    reg->WriteBool(Eff, QStringLiteral("VALVE"), SetupView.VALVESELECT);
    reg->WriteBool(Eff, QStringLiteral("CUSTOM1"), SetupView.CUST1SELECT);
    reg->WriteBool(Eff, QStringLiteral("CUSTOM2"), SetupView.CUST2SELECT);
    Setup.DamperSelected = SetupView.DAMPERSELECT;
    Setup.InletVaneSelected = SetupView.INLETVANESELECT;
    Setup.ValveSelected = SetupView.VALVESELECT;
    Setup.Custom1Enabled = SetupView.CUST1SELECT;
    Setup.Custom2Enabled = SetupView.CUST2SELECT;

    for (int i = 0; i < 8; ++i) {
        reg->WriteBool(Program, optionKey(i), SetupView.L[static_cast<std::size_t>(i)]);
        *optionFlag(i) = SetupView.L[static_cast<std::size_t>(i)];
    }

    reg->WriteString(CustomRep, QStringLiteral("LOGOFN"), SetupView.LOGOFILEN);
    Setup.CustomLogoFile = SetupView.LOGOFILEN;

    reg->WriteString(CustomRep, QStringLiteral("CL1"), SetupView.Closing_Line1);
    reg->WriteString(CustomRep, QStringLiteral("CL2"), SetupView.Closing_Line2);
    Setup.ClosingLine1 = SetupView.Closing_Line1.left(80);
    Setup.ClosingLine2 = SetupView.Closing_Line2.left(80);

    reg->WriteString(User, QStringLiteral("PREP"), SetupView.PRBY);
    reg->WriteString(User, QStringLiteral("CPINFO"), SetupView.CompanyInfo);
    reg->Close();
    return true;
}

void SetupFormShow() {
    for (int i = 0; i < 8; ++i)
        SetupView.L[static_cast<std::size_t>(i)] = *optionFlag(i);
    for (int curve = 0; curve < SetupCurveCount; ++curve)
        for (int point = 0; point < 10; ++point)
            SetupView.Curves[static_cast<std::size_t>(curve)][static_cast<std::size_t>(point)] =
                CurveFieldText(SetupCurve(curve)[point]);
    SetupView.CustomTitle1 = Setup.Custom1Name;
    SetupView.CustomTitle2 = Setup.Custom2Name;
    SetupView.DAMPERSELECT = Setup.DamperSelected;
    SetupView.INLETVANESELECT = Setup.InletVaneSelected;
    SetupView.VALVESELECT = Setup.ValveSelected;
    SetupView.CUST1SELECT = Setup.Custom1Enabled;
    SetupView.CUST2SELECT = Setup.Custom2Enabled;
    SetupView.LOGOFILEN = Setup.CustomLogoFile;
    SetupView.LOGOFILENHint = Setup.CustomLogoFile;
    SetupView.Closing_Line1 = Setup.ClosingLine1;
    SetupView.Closing_Line2 = Setup.ClosingLine2;
    // The two report texts have no live copy: the view always shows what is stored.
    const auto reg = store();
    SetupView.PRBY = reg->ReadString(User, QStringLiteral("PREP"), QString());
    SetupView.CompanyInfo = reg->ReadString(User, QStringLiteral("CPINFO"), QString());
}

void ResetCurves() {
    for (int curve = 0; curve < SetupCurveCount; ++curve) {
        for (int point = 0; point < 10; ++point) {
            double value = 0;
            ParseWellFormedNumber(DefaultCurveText(curve, point), &value);
            SetupCurve(curve)[point] = value;
            SetupView.Curves[static_cast<std::size_t>(curve)][static_cast<std::size_t>(point)] =
                CurveFieldText(value);
        }
    }
}

bool MULTkeyPress(QChar key) {
    return (key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == QLatin1Char('.') ||
           key == QChar(8);
}

void MULTEXIT(QString& fieldText) {
    double value = CurveFieldNumber(fieldText);
    if (value > 1)
        value = 1;
    else if (!(value >= 0))
        value = 0;
    fieldText = CurveFieldText(value);
}

void ResetSetupOptions() {
    Setup = SetupOptions{};
    SetupView = SetupFieldTexts{};
}
