#include "FakeDesktop.h"
#include "TestEnvironment.h"
#include "setup/SetupOptions.h"
#include "shell/TReg.h"

#include <QTest>

namespace {

QString stored(const QString& section, const QString& key) {
    TReg reg;
    reg.Path = SetupKeyPath;
    return reg.ReadString(section, key, QStringLiteral("<missing>"));
}

void store(const QString& section, const QString& key, const QString& text) {
    TReg reg;
    reg.Path = SetupKeyPath;
    reg.WriteString(section, key, text);
}

} // namespace

class TestSetupOptions : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        fake = std::make_unique<FakeDesktop>();
        ResetSetupOptions();
    }
    void cleanup() {
        QVERIFY(fake->allShown());
        fake.reset();
        env.reset();
    }

    void emptyStoreGivesDefaults() {
        Setup.Custom1Enabled = true; // overwritten by the load
        Setup.VaneCurve[2] = 0.5;
        Load_OPT();
        QCOMPARE(Setup.VfdCurve,
                 (CurveArray{0.97, 0.97, 0.97, 0.97, 0.97, 0.97, 0.97, 0.97, 0.97, 0.97}));
        QCOMPARE(Setup.DamperCurve, (CurveArray{1.0, 0.7683, 0.5725, 0.4098, 0.2789, 0.1767, 0.1012,
                                                0.049, 0.0179, 0.0033}));
        QCOMPARE(Setup.ValveCurve, Setup.DamperCurve);
        QCOMPARE(Setup.VaneCurve,
                 (CurveArray{1.0, 0.81, 0.64, 0.49, 0.36, 0.25, 0.16, 0.091, 0.04, 0.0104}));
        QCOMPARE(Setup.Custom1Curve, (CurveArray{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
        QCOMPARE(Setup.Custom2Curve, Setup.Custom1Curve);
        QCOMPARE(Setup.Custom1Name, QStringLiteral("Custom Control 1"));
        QCOMPARE(Setup.Custom2Name, QStringLiteral("Custom Control 2"));
        QVERIFY(!Setup.Custom1Enabled);
        QVERIFY(!Setup.Custom2Enabled);
        QVERIFY(Setup.DamperSelected && Setup.InletVaneSelected && Setup.ValveSelected);
        QVERIFY(Setup.ShowCustomerInfo && Setup.ShowTitle && Setup.ShowWelcome &&
                Setup.AutoUpdateCheck);
        QVERIFY(!Setup.UseCustomLogo && !Setup.WholeDollarPrices && !Setup.QuoteFollowUpCheck &&
                !Setup.LetterheadPaper);
        QVERIFY(Setup.CustomLogoFile.isEmpty());
        // The live values start with the same defaults before any load.
        const SetupOptions fresh;
        QCOMPARE(fresh.DamperCurve, Setup.DamperCurve);
        QCOMPARE(fresh.VaneCurve, Setup.VaneCurve);
    }

    void malformedCurveTextIsReplaced_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << "abc";
        QTest::newRow("empty") << "";
        QTest::newRow("two points") << "0.5.1";
        QTest::newRow("infinity") << "inf";
        QTest::newRow("too large") << "1e999";
        QTest::newRow("comma") << "0,5";
    }
    void malformedCurveTextIsReplaced() {
        QFETCH(QString, text);
        store(QStringLiteral("EFF"), QStringLiteral("DE90"), text);
        Load_OPT();
        QCOMPARE(Setup.DamperCurve[1], 0.7683);
        QCOMPARE(stored(QStringLiteral("EFF"), QStringLiteral("DE90")), QStringLiteral("0.7683"));
        // Only the bad key is written.
        QCOMPARE(stored(QStringLiteral("EFF"), QStringLiteral("DE80")),
                 QStringLiteral("<missing>"));
    }

    void storedNumberUsedUnchecked() {
        store(QStringLiteral("EFF"), QStringLiteral("IVE100"), QStringLiteral("5"));
        store(QStringLiteral("EFF"), QStringLiteral("C1E10"), QStringLiteral(" 0.25 "));
        Load_OPT();
        QCOMPARE(Setup.VaneCurve[0], 5.0);
        QCOMPARE(Setup.Custom1Curve[9], 0.25);
        QCOMPARE(stored(QStringLiteral("EFF"), QStringLiteral("IVE100")), QStringLiteral("5"));
        SetupFormShow();
        QString& field = SetupView.Curves[CurveVane][0];
        QCOMPARE(field, QStringLiteral("5.000"));
        MULTEXIT(field);
        QCOMPARE(field, QStringLiteral("1.000"));
        QCOMPARE(SetupCurveFieldName(CurveVane, 0), QStringLiteral("IVE100"));
        QCOMPARE(SetupCurveFieldName(CurveCustom2, 9), QStringLiteral("C2E10"));
        QCOMPARE(SetupCurveFieldName(CurveVfd, 4), QStringLiteral("VFDE60"));
    }

    void curveFieldExit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above 1") << "1.5"
                                 << "1.000";
        QTest::newRow("empty") << ""
                               << "0.000";
        QTest::newRow("valid") << "0.5"
                               << "0.500";
        QTest::newRow("four decimals") << "0.7683"
                                       << "0.768";
        QTest::newRow("half away from zero") << "0.0625"
                                             << "0.063";
        QTest::newRow("zero") << "0"
                              << "0.000";
        QTest::newRow("not a number") << "abc"
                                      << "0.000";
        QTest::newRow("lone point") << "."
                                    << "0.000";
        QTest::newRow("two points") << "0.2.5"
                                    << "0.200";
        QTest::newRow("negative") << "-0.5"
                                  << "0.000";
        QTest::newRow("one") << "1"
                             << "1.000";
        // Digits and points are all that can be typed, and enough of them exceed a double.
        QTest::newRow("above every double")
            << QStringLiteral("1") + QString(400, QLatin1Char('0')) << "1.000";
    }
    void curveFieldExit() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QString field = typed;
        MULTEXIT(field);
        QCOMPARE(field, shown);
    }

    void curveKeyFilter() {
        for (char c : QByteArray("0123456789."))
            QVERIFY(MULTkeyPress(QLatin1Char(c)));
        QVERIFY(MULTkeyPress(QChar(8)));
        for (char c : QByteArray("-+eE,a "))
            QVERIFY(!MULTkeyPress(QLatin1Char(c)));
        QVERIFY(!MULTkeyPress(QChar(22))); // Ctrl+V
    }

    void resetThenCancel() {
        store(QStringLiteral("EFF"), QStringLiteral("DE90"), QStringLiteral("0.5"));
        Load_OPT();
        QCOMPARE(Setup.DamperCurve[1], 0.5);
        SetupFormShow();
        QCOMPARE(SetupView.Curves[CurveDamper][1], QStringLiteral("0.500"));
        ResetCurves();
        QCOMPARE(Setup.DamperCurve[1], 0.7683);
        QCOMPARE(SetupView.Curves[CurveDamper][1], QStringLiteral("0.768"));
        QCOMPARE(SetupView.Curves[CurveVfd][0], QStringLiteral("0.970"));
        // Cancel: nothing written; the store keeps the previous curve.
        QCOMPARE(stored(QStringLiteral("EFF"), QStringLiteral("DE90")), QStringLiteral("0.5"));
        // The next Properties command loads first and brings it back.
        Load_OPT();
        QCOMPARE(Setup.DamperCurve[1], 0.5);
    }

    void firstOkStoresThreeDecimals() {
        Load_OPT();
        SetupFormShow();
        QVERIFY(Save_Opt());
        QCOMPARE(stored(QStringLiteral("EFF"), QStringLiteral("DE90")), QStringLiteral("0.768"));
        QCOMPARE(Setup.DamperCurve[1], 0.768);
        QCOMPARE(stored(QStringLiteral("EFF"), QStringLiteral("VAE10")), QStringLiteral("0.003"));
        // All ten inverter keys are written although only the first can be edited.
        for (int point = 0; point < 10; ++point)
            QCOMPARE(stored(QStringLiteral("EFF"), SetupCurveFieldName(CurveVfd, point)),
                     QStringLiteral("0.970"));
        QCOMPARE(stored(QStringLiteral("EFF"), QStringLiteral("CUSTOM1")), QStringLiteral("0"));
        QCOMPARE(stored(QStringLiteral("EFF"), QStringLiteral("DAMPER")), QStringLiteral("1"));
        QCOMPARE(stored(QStringLiteral("PROGRAM"), QStringLiteral("L1")), QStringLiteral("1"));
        QCOMPARE(stored(QStringLiteral("PROGRAM"), QStringLiteral("L3")), QStringLiteral("0"));
        QCOMPARE(stored(QStringLiteral("PROGRAM"), QStringLiteral("L8")), QStringLiteral("1"));
        QCOMPARE(stored(QStringLiteral("EFF"), QStringLiteral("CUSTOM2TITLE")),
                 QStringLiteral("Custom Control 2"));
        QCOMPARE(stored(QStringLiteral("CUSTOMREP"), QStringLiteral("LOGOFN")), QString());
    }

    void saveTakesTheFields() {
        Load_OPT();
        SetupFormShow();
        const QString longTitle = QStringLiteral("A title of forty characters, more or le");
        QCOMPARE(longTitle.size(), 39);
        SetupView.CustomTitle1 = longTitle;
        SetupView.CustomTitle2 = QStringLiteral("Twenty-five characters ok");
        SetupView.CUST1SELECT = true;
        SetupView.L[2] = true;  // L3
        SetupView.L[5] = false; // L6
        SetupView.Curves[CurveCustom1][4] = QStringLiteral("0.250");
        SetupView.LOGOFILEN = QStringLiteral("/tmp/logo.png");
        SetupView.Closing_Line1 = QString(100, QLatin1Char('x'));
        SetupView.PRBY = QStringLiteral("Ann\r\nSales");
        SetupView.CompanyInfo = QStringLiteral("Firm\r\nStreet 1");
        QVERIFY(Save_Opt());
        QCOMPARE(Setup.Custom1Name, longTitle.left(30));
        QCOMPARE(stored(QStringLiteral("EFF"), QStringLiteral("CUSTOM1TITLE")), longTitle);
        QCOMPARE(Setup.Custom2Name, QStringLiteral("Twenty-five characters ok"));
        QVERIFY(Setup.Custom1Enabled);
        QCOMPARE(stored(QStringLiteral("EFF"), QStringLiteral("CUSTOM1")), QStringLiteral("1"));
        QVERIFY(Setup.UseCustomLogo);
        QVERIFY(!Setup.ShowWelcome);
        QCOMPARE(stored(QStringLiteral("PROGRAM"), QStringLiteral("L6")), QStringLiteral("0"));
        QCOMPARE(Setup.Custom1Curve[4], 0.25);
        QCOMPARE(Setup.CustomLogoFile, QStringLiteral("/tmp/logo.png"));
        QCOMPARE(Setup.ClosingLine1.size(), 80);
        QCOMPARE(stored(QStringLiteral("CUSTOMREP"), QStringLiteral("CL1")).size(), 100);
        QCOMPARE(stored(QStringLiteral("USER"), QStringLiteral("PREP")),
                 QStringLiteral("Ann\r\nSales"));

        // A fresh program reads it all back.
        ResetSetupOptions();
        Load_OPT();
        QCOMPARE(Setup.Custom1Name, longTitle.left(30));
        QVERIFY(Setup.Custom1Enabled);
        QCOMPARE(Setup.Custom1Curve[4], 0.25);
        QCOMPARE(Setup.ClosingLine1, QString(80, QLatin1Char('x')));
        QCOMPARE(SetupView.Closing_Line1.size(), 100);
        QCOMPARE(SetupView.LOGOFILEN, QStringLiteral("/tmp/logo.png"));
        QCOMPARE(SetupView.CompanyInfo, QStringLiteral("Firm\r\nStreet 1"));
        SetupFormShow();
        QVERIFY(SetupView.L[2]);
        QVERIFY(!SetupView.L[5]);
        QVERIFY(SetupView.CUST1SELECT);
        QCOMPARE(SetupView.LOGOFILENHint, QStringLiteral("/tmp/logo.png"));
        QCOMPARE(SetupView.Closing_Line1.size(), 80);
    }

    void formShowRereadsReportTexts() {
        Load_OPT();
        SetupView.PRBY = QStringLiteral("typed, then cancelled");
        store(QStringLiteral("USER"), QStringLiteral("PREP"), QStringLiteral("stored"));
        SetupFormShow();
        QCOMPARE(SetupView.PRBY, QStringLiteral("stored"));
    }

    void flagsFromStore() {
        store(QStringLiteral("PROGRAM"), QStringLiteral("L7"), QStringLiteral("2"));
        store(QStringLiteral("PROGRAM"), QStringLiteral("L1"), QStringLiteral("0"));
        store(QStringLiteral("PROGRAM"), QStringLiteral("L8"), QStringLiteral("yes"));
        store(QStringLiteral("EFF"), QStringLiteral("CUSTOM2"), QStringLiteral("1"));
        Load_OPT();
        QVERIFY(Setup.LetterheadPaper);
        QVERIFY(!Setup.ShowCustomerInfo);
        QVERIFY(Setup.AutoUpdateCheck); // not a number: the default
        QVERIFY(Setup.Custom2Enabled);
    }

    void storedLongTitleIsCut() {
        store(QStringLiteral("EFF"), QStringLiteral("CUSTOM2TITLE"), QString(45, QLatin1Char('T')));
        Load_OPT();
        QCOMPARE(Setup.Custom2Name, QString(30, QLatin1Char('T')));
        QCOMPARE(stored(QStringLiteral("EFF"), QStringLiteral("CUSTOM2TITLE")).size(), 45);
    }

private:
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
};

QTEST_GUILESS_MAIN(TestSetupOptions)
#include "tst_setupoptions.moc"
