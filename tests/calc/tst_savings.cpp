#include "CalcFixture.h"
#include "DesktopTestCase.h"
#include "TestEnvironment.h"
#include "calc/ResultsPage.h"
#include "calc/Savings.h"

#include <QTest>

#include <cmath>

namespace {

QString text(const char* name) {
    return resultsPage().value(QString::fromLatin1(name)).text;
}
bool visible(const char* name) {
    return resultsPage().value(QString::fromLatin1(name)).visible;
}
PageColour colour(const char* name) {
    return resultsPage().value(QString::fromLatin1(name)).colour;
}

// The defaults with the given drive cost, incentive per HP and incentive kind, recalculated.
void runFan(const QString& driveCost, const QString& incentive, bool oneTime) {
    startEstimation(1);
    FieldText(9) = driveCost;
    FieldText(8) = incentive;
    if (oneTime)
        Incentive01Click();
    else
        Incentive02Click();
    Recalculate();
}

} // namespace

class TestSavings : public DesktopTestCase {
    Q_OBJECT
private slots:
    void fanPageTexts() {
        runFan(QStringLiteral("0"), QStringLiteral("0.0"), true);
        QCOMPARE(text("FLOWM"), QStringLiteral("Payback Estimation: Fan Application "));
        QCOMPARE(text("LINE1"), QStringLiteral("No Speed Control"));
        QCOMPARE(text("LINE2"), QStringLiteral("Variable Frequency Drive"));
        QCOMPARE(text("LINE3"), QStringLiteral("Outlet Damper Control"));
        QCOMPARE(text("LINE4"), QStringLiteral("Inlet Vane Control"));
        QCOMPARE(text("VAL1"), QStringLiteral("$103,184"));
        QCOMPARE(text("VAL1"), MoneyText(Results.AcrossLineTotalCost));
        QCOMPARE(text("VAL2"), MoneyText(Results.FanVfdTotalCost));
        QCOMPARE(text("VAL3"), MoneyText(Results.DamperTotalCost));
        QCOMPARE(text("VAL4"), MoneyText(Results.VaneTotalCost));
        for (const char* name : {"VAL2", "VAL3", "VAL4", "VALUE1", "VALUE2", "VALUE3"})
            QVERIFY2(QRegularExpression(QStringLiteral("^\\$\\d{1,3}(,\\d{3})*$"))
                         .match(text(name))
                         .hasMatch(),
                     name);
        QCOMPARE(text("VALUE1"), MoneyText(Results.AcrossLineTotalCost - Results.FanVfdTotalCost));
        QCOMPARE(text("VALUE2"), MoneyText(Results.DamperTotalCost - Results.FanVfdTotalCost));
        QCOMPARE(text("VALUE3"), MoneyText(Results.VaneTotalCost - Results.FanVfdTotalCost));
        QCOMPARE(text("CONTROL1"), QStringLiteral("No Speed Control"));
        QCOMPARE(text("CONTROL2"), QStringLiteral("Outlet Damper Control"));
        QCOMPARE(text("CONTROL3"), QStringLiteral("Inlet Vane Control"));
        QCOMPARE(text("PAYBACK1"), QStringLiteral("No Control"));
        QCOMPARE(text("PAYBACK2"), QStringLiteral("Outlet Damper"));
        QCOMPARE(text("PAYBACK3"), QStringLiteral("Inlet Vane"));
        // Drive cost 0 and incentive 0, one-time: nothing to pay back.
        for (const char* name : {"PAYBACKVALUE1", "PAYBACKVALUE2", "PAYBACKVALUE3"}) {
            QCOMPARE(text(name), QStringLiteral("Immediate"));
            QCOMPARE(colour(name), PageColour::Red);
        }
        // User curves disabled: their rows are empty and their button hidden.
        QVERIFY(!visible("LINECUSTOM1"));
        QVERIFY(!visible("LINECUSTOM2"));
        for (const char* name : {"VALCUSTOM1", "CONTROL4", "VALUE4", "PAYBACK4", "PAYBACKVALUE4",
                                 "VALCUSTOM2", "CONTROL5", "VALUE5", "PAYBACK5", "PAYBACKVALUE5"})
            QVERIFY2(text(name).isEmpty(), name);
    }

    void paybackYears_data() {
        QTest::addColumn<bool>("oneTime");
        QTest::addColumn<QString>("noControl");
        QTest::addColumn<QString>("damper");
        QTest::addColumn<QString>("vane");
        QTest::newRow("one-time") << true << "   0.230 Years"
                                  << "   0.354 Years"
                                  << "   0.553 Years";
        QTest::newRow("yearly") << false << "   0.244 Years"
                                << "   0.372 Years"
                                << "   0.572 Years";
    }
    void paybackYears() {
        QFETCH(bool, oneTime);
        QFETCH(QString, noControl);
        QFETCH(QString, damper);
        QFETCH(QString, vane);
        runFan(QStringLiteral("20000"), QStringLiteral("10.0"), oneTime);
        QCOMPARE(text("PAYBACKVALUE1"), noControl);
        QCOMPARE(text("PAYBACKVALUE2"), damper);
        QCOMPARE(text("PAYBACKVALUE3"), vane);
        for (const char* name : {"PAYBACKVALUE1", "PAYBACKVALUE2", "PAYBACKVALUE3"})
            QCOMPARE(colour(name), PageColour::Black);
    }

    void userCurveCheaperThanDrive() {
        startEstimation(1);
        Setup.Custom1Enabled = true;
        Setup.Custom1Name = QStringLiteral("My Curve");
        FieldText(9) = QStringLiteral("20000");
        Recalculate();
        QVERIFY(visible("LINECUSTOM1"));
        QCOMPARE(text("LINECUSTOM1"), QStringLiteral("My Curve"));
        QCOMPARE(text("VALCUSTOM1"), MoneyText(Results.Custom1TotalCost));
        QCOMPARE(text("CONTROL4"), QStringLiteral("My Curve"));
        QCOMPARE(text("VALUE4"), QStringLiteral("$-712"));
        QCOMPARE(text("PAYBACK4"), QStringLiteral("My Curve"));
        QCOMPARE(text("PAYBACKVALUE4"), QStringLiteral("Never"));
        QCOMPARE(colour("PAYBACKVALUE4"), PageColour::Red);
        QVERIFY(!visible("LINECUSTOM2"));

        // A one-time incentive of at least the drive cost: immediate, whatever the savings.
        FieldText(8) = QStringLiteral("133.4"); // 150 HP x 133.4 = 20010
        Recalculate();
        QCOMPARE(text("PAYBACKVALUE4"), QStringLiteral("Immediate"));
        // Yearly: the incentive every year outweighs the negative savings.
        Incentive02Click();
        Recalculate();
        QCOMPARE(
            text("PAYBACKVALUE4"),
            PaybackYearsText(20000 / (Results.Custom1TotalCost - Results.FanVfdTotalCost + 20010)));
        QCOMPARE(colour("PAYBACKVALUE4"), PageColour::Black);
    }

    void paybackRule_data() {
        QTest::addColumn<double>("savings");
        QTest::addColumn<double>("incentive");
        QTest::addColumn<double>("cost");
        QTest::addColumn<bool>("oneTime");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("red");
        QTest::newRow("less than a day") << 37000.0 << 0.0 << 100.0 << true << "Immediate" << true;
        QTest::newRow("just over a day")
            << 36000.0 << 0.0 << 100.0 << true << "   0.003 Years" << false;
        QTest::newRow("yearly, less than a day")
            << 37000.0 << 0.0 << 100.0 << false << "Immediate" << true;
        QTest::newRow("yearly, just over a day")
            << 36000.0 << 0.0 << 100.0 << false << "   0.003 Years" << false;
        QTest::newRow("no savings") << 0.0 << 0.0 << 100.0 << true << "Never" << true;
        QTest::newRow("negative savings, yearly")
            << -50.0 << 50.0 << 100.0 << false << "Never" << true;
        QTest::newRow("incentive covers cost")
            << -50.0 << 100.0 << 100.0 << true << "Immediate" << true;
        QTest::newRow("long payback")
            << 1.0 << 0.0 << 123456.0 << true << "123456.000 Years" << false;
        QTest::newRow("half way rounds away")
            << 8.0 << 0.0 << 1.0 << true << "   0.125 Years" << false;
    }
    void paybackRule() {
        QFETCH(double, savings);
        QFETCH(double, incentive);
        QFETCH(double, cost);
        QFETCH(bool, oneTime);
        QFETCH(QString, expected);
        QFETCH(bool, red);
        const PaybackResult result = Payback(
            savings, incentive, cost, oneTime ? IncentiveKind::OneTime : IncentiveKind::Yearly);
        QCOMPARE(result.text, expected);
        QCOMPARE(result.red, red);
    }

    void pumpPage() {
        startEstimation(1);
        Recalculate();
        QVERIFY(visible("LINE4"));
        Shared.AppType = 2;
        Setup.Custom2Enabled = true;
        Recalculate();
        QCOMPARE(text("FLOWM"), QStringLiteral("Payback Estimation: Pump Application "));
        QCOMPARE(text("LINE3"), QStringLiteral("Throttling Valve Control"));
        QCOMPARE(text("CONTROL2"), QStringLiteral("Throttling Valve Control"));
        QCOMPARE(text("PAYBACK2"), QStringLiteral("Throttling Valve"));
        QCOMPARE(text("VAL2"), MoneyText(Results.PumpVfdTotalCost));
        QCOMPARE(text("VAL3"), MoneyText(Results.ValveTotalCost));
        for (const char* name : {"LINE4", "VAL4", "CONTROL3", "VALUE3"})
            QVERIFY2(!visible(name), name);
        QVERIFY(text("PAYBACK3").isEmpty());
        QVERIFY(text("PAYBACKVALUE3").isEmpty());
        QVERIFY(visible("PAYBACK3"));
        QVERIFY(visible("LINECUSTOM2"));
        QCOMPARE(text("LINECUSTOM2"), QStringLiteral("Custom Control 2"));
        QVERIFY(!visible("LINECUSTOM1"));

        // The next fan run shows the vane rows again.
        Shared.AppType = 1;
        Recalculate();
        for (const char* name : {"LINE4", "VAL4", "CONTROL3", "VALUE3"})
            QVERIFY2(visible(name), name);
        QCOMPARE(text("PAYBACK3"), QStringLiteral("Inlet Vane"));
    }

    void incentiveKindFromA120() {
        startEstimation(1);
        QVERIFY(OneTimeIncentiveSelected());
        Incentive02Click();
        QCOMPARE(FieldText(20), QStringLiteral("0"));
        QVERIFY(!OneTimeIncentiveSelected());
        Incentive01Click();
        QCOMPARE(FieldText(20), QStringLiteral("1"));
        QVERIFY(OneTimeIncentiveSelected());
    }

    void unavailableMethodsOnThePage() {
        startEstimation(1);
        Setup.DamperCurve[3] = 0;
        FieldText(9) = QStringLiteral("20000");
        Recalculate();
        QCOMPARE(text("VAL3"), UnavailableText);
        QCOMPARE(text("VALUE2"), UnavailableText);
        QCOMPARE(text("PAYBACKVALUE2"), UnavailableText);
        QCOMPARE(colour("PAYBACKVALUE2"), PageColour::Red);
        QVERIFY(text("VAL4").startsWith(QLatin1Char('$')));
        QVERIFY(text("PAYBACKVALUE3").endsWith(QStringLiteral(" Years")));

        // Without the drive nothing can be compared.
        Setup.DamperCurve[3] = 0.4098;
        Setup.VfdCurve[0] = 0;
        Setup.Custom1Enabled = true;
        Recalculate();
        QCOMPARE(text("VAL2"), UnavailableText);
        QVERIFY(text("VAL1").startsWith(QLatin1Char('$')));
        QVERIFY(text("VAL3").startsWith(QLatin1Char('$')));
        for (const char* name : {"VALUE1", "VALUE2", "VALUE3", "VALUE4", "PAYBACKVALUE1",
                                 "PAYBACKVALUE2", "PAYBACKVALUE3", "PAYBACKVALUE4"})
            QCOMPARE(text(name), UnavailableText);
        for (const QString& name : ResultsPage::controlNames()) {
            const QString t = resultsPage().value(name).text;
            QVERIFY2(!t.contains(QStringLiteral("inf"), Qt::CaseInsensitive) &&
                         !t.contains(QStringLiteral("nan"), Qt::CaseInsensitive),
                     qPrintable(name + QStringLiteral(": ") + t));
        }
    }

    void amountsBeyondTheMoneyTextAreUnavailable() {
        // The setup store keeps curve values unchecked: a tiny stored entry gives a yearly
        // total far beyond what the money text can hold, which must not read as "$0".
        startEstimation(1);
        Setup.Custom1Enabled = true;
        Setup.Custom1Curve[0] = 1e-300;
        FieldText(9) = QStringLiteral("20000");
        Recalculate();
        QVERIFY(!Results.Custom1Available);
        QCOMPARE(Results.Custom1TotalCost, 0.0);
        QCOMPARE(text("VALCUSTOM1"), UnavailableText);
        QCOMPARE(text("VALUE4"), UnavailableText);
        QCOMPARE(text("PAYBACKVALUE4"), UnavailableText);
        QVERIFY(text("VAL3").startsWith(QLatin1Char('$')));
    }

    void otherApplicationLeavesPage() {
        startEstimation(1);
        ShowSavings(3);
        for (const QString& name : ResultsPage::controlNames())
            QVERIFY(resultsPage().value(name).text.isEmpty());
        QCOMPARE(ResultsPage::controlNames().size(), 1 + 6 + 6 + 20);
    }

    void thousandsSeparatorFromLocale() {
        ApplyLocaleMarks(QStringLiteral(","), QStringLiteral("."));
        runFan(QStringLiteral("0"), QStringLiteral("0.0"), true);
        QCOMPARE(text("VAL1"), QStringLiteral("$103.184"));
    }
};

QTEST_GUILESS_MAIN(TestSavings)
#include "tst_savings.moc"
