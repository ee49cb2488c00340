#include "CalcFixture.h"
#include "DesktopTestCase.h"
#include "TestEnvironment.h"
#include "calc/EnergyModel.h"
#include "calc/ResultsPage.h"

#include <QTest>

#include <cmath>
#include <limits>

using platform::Buttons;
using platform::Icon;

namespace {

void comparePoints(const PointArray& actual, const std::array<double, 10>& expected,
                   double tolerance) {
    for (int k = 0; k < 10; ++k) {
        if (std::fabs(actual[k] - expected[k]) > tolerance)
            QFAIL(qPrintable(QStringLiteral("point %1: %2 instead of %3")
                                 .arg(k)
                                 .arg(actual[k], 0, 'g', 17)
                                 .arg(expected[k], 0, 'g', 17)));
    }
}

// Cost per hour values are compared exactly: each is the double nearest its cents.
void compareCents(const PointArray& actual, const std::array<double, 10>& expected) {
    comparePoints(actual, expected, 0.0);
}

// Exact: QCOMPARE on doubles is fuzzy and would take a cent on a large amount as equal.
void compareExactly(double actual, double expected) {
    if (actual != expected)
        QFAIL(qPrintable(
            QStringLiteral("%1 instead of %2").arg(actual, 0, 'g', 17).arg(expected, 0, 'g', 17)));
}

double sumOfProducts(const PointArray& a, const PointArray& b) {
    double total = 0;
    for (int k = 0; k < 10; ++k)
        total += a[k] * b[k];
    return total;
}

} // namespace

class TestEnergyModel : public DesktopTestCase {
    Q_OBJECT
private slots:
    void fanDefaults() {
        startEstimation(1);
        QVERIFY(CheckDutyCycle());
        CalculateEnergy(1);
        QCOMPARE(Results.AnnualHours, 8760);
        QCOMPARE(Results.HoursPerDay, 24);
        QCOMPARE(Results.EnergyPrice, 0.1);
        QCOMPARE(Results.MotorEfficiency, 0.95);
        QCOMPARE(Results.DriveEfficiency, 0.97);
        QCOMPARE(Results.FanDutyPercent, (std::array<int, 10>{1, 2, 9, 17, 24, 17, 13, 11, 6, 0}));
        QCOMPARE(FormatFixed(Results.FanHours[4], 2), QStringLiteral("2102.40"));
        QCOMPARE(Results.FanHours[9], 0.0);
        QCOMPARE(FormatFixed(Results.FanTotalHours, 2), QStringLiteral("8760.00"));

        const double acrossLine = 8760 * 150 / 0.95 * 0.746 * 0.10;
        QVERIFY(std::fabs(Results.AcrossLineTotalCost - acrossLine) < 1e-9);
        QVERIFY(Results.AcrossLineAvailable);

        comparePoints(Results.FanVfdHP,
                      {150, 109.35, 76.8, 51.45, 32.4, 18.75, 9.6, 4.05, 1.2, 0.15}, 1e-12);
        compareCents(Results.FanVfdCostPerHour,
                     {12.14, 8.85, 6.22, 4.17, 2.62, 1.52, 0.78, 0.33, 0.10, 0.01});
        compareCents(Results.DamperCostPerHour,
                     {11.78, 11.18, 10.53, 9.86, 9.12, 8.33, 7.45, 6.49, 5.26, 3.57});
        compareCents(Results.VaneCostPerHour,
                     {11.78, 10.60, 9.42, 8.25, 7.07, 5.89, 4.71, 3.49, 2.36, 1.13});
        compareCents(Results.Custom1CostPerHour,
                     {11.78, 8.59, 6.03, 4.04, 2.54, 1.47, 0.75, 0.32, 0.09, 0.01});
        comparePoints(Results.DamperHP,
                      {150.00, 142.33, 134.15, 125.55, 116.17, 106.11, 94.86, 82.65, 67.04, 45.45},
                      0.005);

        for (const auto* method : {&Results.FanVfdCostPerHour, &Results.DamperCostPerHour,
                                   &Results.VaneCostPerHour, &Results.Custom1CostPerHour}) {
            const PointArray* annual =
                method == &Results.FanVfdCostPerHour   ? &Results.FanVfdAnnualCost
                : method == &Results.DamperCostPerHour ? &Results.DamperAnnualCost
                : method == &Results.VaneCostPerHour   ? &Results.VaneAnnualCost
                                                       : &Results.Custom1AnnualCost;
            for (int k = 0; k < 10; ++k)
                QVERIFY(std::fabs((*annual)[k] - (*method)[k] * Results.FanHours[k]) < 1e-9);
        }
        QVERIFY(std::fabs(Results.FanVfdTotalCost -
                          sumOfProducts(Results.FanVfdCostPerHour, Results.FanHours)) < 1e-9);
        QVERIFY(std::fabs(Results.DamperTotalCost -
                          sumOfProducts(Results.DamperCostPerHour, Results.FanHours)) < 1e-9);
        QVERIFY(Results.Custom1TotalCost < Results.FanVfdTotalCost);
        QCOMPARE(Results.Custom1TotalCost, Results.Custom2TotalCost);
        QVERIFY(Results.FanVfdAvailable && Results.DamperAvailable && Results.VaneAvailable);
    }

    void pumpRunEqualsFanRun() {
        startEstimation(2);
        QVERIFY(CheckDutyCycle());
        CalculateEnergy(1);
        const CalcResults fan = Results;
        // A fan run leaves the pump arrays alone.
        QCOMPARE(Results.PumpVfdTotalCost, 0.0);
        QCOMPARE(Results.PumpHours[4], 0.0);

        CalculateEnergy(2);
        QCOMPARE(Results.PumpVfdTotalCost, fan.FanVfdTotalCost);
        QCOMPARE(Results.ValveTotalCost, fan.DamperTotalCost);
        QCOMPARE(Results.PumpVfdCostPerHour, fan.FanVfdCostPerHour);
        QCOMPARE(Results.PumpHours, fan.FanHours);
        QCOMPARE(Results.PumpTotalHours, fan.FanTotalHours);
        QCOMPARE(Results.PumpDutyPercent, fan.FanDutyPercent);
        // ...and the pump run leaves the fan arrays alone.
        QCOMPARE(Results.FanVfdTotalCost, fan.FanVfdTotalCost);
        QCOMPARE(Results.VaneTotalCost, fan.VaneTotalCost);

        // The user curves, AnnualHours and the no-control total follow the latest run.
        FieldText(5) = QStringLiteral("100.0");
        FieldText(1) = QStringLiteral("12");
        CalculateEnergy(2);
        QCOMPARE(Results.AnnualHours, 4368);
        QVERIFY(Results.Custom1TotalCost < fan.Custom1TotalCost);
        QVERIFY(Results.AcrossLineTotalCost < fan.AcrossLineTotalCost);
        QCOMPARE(Results.FanVfdTotalCost, fan.FanVfdTotalCost);
        QCOMPARE(Results.FanHours, fan.FanHours);
    }

    void smallMotorCostsNothingAtLowFlow() {
        startEstimation(1);
        FieldText(5) = QStringLiteral("1.0");
        FieldText(4) = QStringLiteral("5.00");
        QVERIFY(CheckDutyCycle());
        CalculateEnergy(1);
        compareCents(Results.FanVfdCostPerHour, {0.04, 0.03, 0.02, 0.01, 0.01, 0.01, 0, 0, 0, 0});
        QVERIFY(std::fabs(Results.FanVfdTotalCost - 75.336) < 1e-9);
        QCOMPARE(FormatFixed(Results.FanVfdTotalCost, 3), QStringLiteral("75.336"));
    }

    void zeroDutyPointCostsNothing() {
        startEstimation(1);
        setDuty({"0", "2", "10", "17", "24", "17", "13", "11", "6", "0"});
        QVERIFY(CheckDutyCycle());
        CalculateEnergy(1);
        QCOMPARE(Results.FanHours[0], 0.0);
        QCOMPARE(Results.FanVfdCostPerHour[0], 12.14);
        QCOMPARE(Results.DamperCostPerHour[0], 11.78);
        for (const PointArray* annual :
             {&Results.FanVfdAnnualCost, &Results.DamperAnnualCost, &Results.VaneAnnualCost,
              &Results.Custom1AnnualCost, &Results.Custom2AnnualCost})
            QCOMPARE((*annual)[0], 0.0);
    }

    void allTimeAtOnePoint() {
        startEstimation(1);
        setDuty({"0", "0", "0", "0", "100", "0", "0", "0", "0", "0"});
        QVERIFY(CheckDutyCycle());
        CalculateEnergy(1);
        QCOMPARE(Results.FanHours[4], 8760.0);
        QCOMPARE(Results.FanVfdTotalCost, 2.62 * 8760.0);
    }

    void annualHours_data() {
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("weeks");
        QTest::addColumn<int>("annual");
        QTest::newRow("whole year") << 24 << 7 << 52 << 8760;
        QTest::newRow("51 weeks") << 24 << 7 << 51 << 8568;
        QTest::newRow("half days") << 12 << 7 << 52 << 4368;
        QTest::newRow("office") << 8 << 5 << 52 << 2080;
        QTest::newRow("smallest") << 1 << 1 << 1 << 1;
        QTest::newRow("unchecked huge") << 999999 << 999999 << 999999 << 2147483647;
        QTest::newRow("unchecked negative") << -999999 << 999999 << 999999 << -2147483647 - 1;
    }
    void annualHours() {
        QFETCH(int, hours);
        QFETCH(int, days);
        QFETCH(int, weeks);
        QFETCH(int, annual);
        QCOMPARE(AnnualHoursFor(hours, days, weeks), annual);
    }

    void annualHoursFromFields() {
        startEstimation(1);
        FieldText(3) = QStringLiteral("51");
        QVERIFY(CheckDutyCycle());
        CalculateEnergy(1);
        QCOMPARE(Results.AnnualHours, 8568);
        QCOMPARE(Results.FanHours[0], 85.68);
    }

    void integerValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "17" << 17;
        QTest::newRow("decimals stop the digits") << "12.5" << 12;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("no digits") << "abc" << 0;
        QTest::newRow("lone minus") << "-" << 0;
        QTest::newRow("negative") << "-12" << -12;
        QTest::newRow("negative stopped loses its sign") << "-12.5" << 12;
        QTest::newRow("plus") << "+5" << 5;
        QTest::newRow("leading blanks") << "   7" << 7;
        QTest::newRow("trailing blank") << "7 " << 7;
        QTest::newRow("leading zeros") << "00005" << 5;
        QTest::newRow("beyond 32 bits") << "99999999999" << 2147483647;
        QTest::newRow("negative beyond 32 bits")
            << "-99999999999" << std::numeric_limits<int>::min();
    }
    void integerValue() {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(IntegerValue(text), value);
    }

    void dutyCapture_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("total");
        QTest::newRow("12.5 counts 12") << "12.5" << 111;
        QTest::newRow("000050 counts 5") << "000050" << 104;
        QTest::newRow("empty counts 0") << "" << 99;
        QTest::newRow("exactly 100") << "1" << 100;
    }
    void dutyCapture() {
        QFETCH(QString, first);
        QFETCH(int, total);
        startEstimation(1);
        FieldText(10) = first;
        QCOMPARE(CaptureDutyCycle(), total);
        QCOMPARE(Results.DutyText[0], first.left(5));
        if (total != 100)
            fake->expect(Icon::Error,
                         QStringLiteral("Total Duty Cycle Percentages should equal 100%\r"
                                        "Percentages entered currently equal: %1%")
                             .arg(total),
                         Buttons::Ok);
        QCOMPARE(CheckDutyCycle(), total == 100);
    }

    void dutyTotalRunningLabel() {
        startEstimation(1);
        QList<QPair<int, bool>> totals;
        int charts = 0;
        int graphs = 0;
        recalculateHooks().dutyTotalChanged = [&](int total, bool complete) {
            totals.append({total, complete});
        };
        recalculateHooks().refreshDutyChart = [&] { ++charts; };
        recalculateHooks().refreshSelectedGraph = [&] { ++graphs; };

        FieldText(19) = QStringLiteral("5"); // 10 % flow: the total becomes 105
        FieldText(18) = QStringLiteral("1");
        QVERIFY(UpdateDutyTotal());
        QCOMPARE(totals.last(), qMakePair(100, true));
        QCOMPARE(DutyTotalText(100), QStringLiteral("100%"));
        QCOMPARE(charts, 1);
        QCOMPARE(graphs, 1);
        QCOMPARE(Results.FanDutyPercent[9], 5);

        FieldText(18) = QStringLiteral("0");
        QVERIFY(UpdateDutyTotal());
        QCOMPARE(totals.last(), qMakePair(99, false));
        QCOMPARE(DutyTotalText(99), QStringLiteral("99!"));
        QCOMPARE(DutyTotalText(95), QStringLiteral("95!"));
        QCOMPARE(charts, 1); // nothing recalculated
        QCOMPARE(Results.FanDutyPercent[9], 5);
    }

    void recalculateGate() {
        startEstimation(1);
        int charts = 0;
        int graphs = 0;
        recalculateHooks().refreshDutyChart = [&] { ++charts; };
        recalculateHooks().refreshSelectedGraph = [&] { ++graphs; };
        Recalculate();
        QCOMPARE(charts, 1);
        QCOMPARE(graphs, 1);
        const double before = Results.FanVfdTotalCost;
        QVERIFY(before > 0);

        FieldText(5) = QStringLiteral("10.0");
        FieldText(10) = QStringLiteral("2");
        fake->expect(Icon::Error,
                     QStringLiteral("Total Duty Cycle Percentages should equal 100%\r"
                                    "Percentages entered currently equal: 101%"),
                     Buttons::Ok);
        Recalculate();
        QCOMPARE(charts, 2); // the duty chart follows even a failed check
        QCOMPARE(graphs, 1);
        QCOMPARE(Results.FanVfdTotalCost, before);

        // Unset hooks are skipped.
        recalculateHooks() = RecalculateHooks{};
        FieldText(10) = QStringLiteral("1");
        Recalculate();
        QVERIFY(Results.FanVfdTotalCost < before);
    }

    void methodButtons_data() {
        QTest::addColumn<int>("appType");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("overviewApp");
        QTest::addColumn<int>("overviewMethod");
        QTest::newRow("fan drive") << 1 << "LINE2" << 1 << 1;
        QTest::newRow("fan damper") << 1 << "LINE3" << 1 << 2;
        QTest::newRow("fan vane") << 1 << "LINE4" << 1 << 3;
        QTest::newRow("fan custom 1") << 1 << "LINECUSTOM1" << 1 << 4;
        QTest::newRow("fan custom 2") << 1 << "LINECUSTOM2" << 1 << 5;
        QTest::newRow("pump drive") << 2 << "LINE2" << 2 << 1;
        QTest::newRow("pump valve") << 2 << "LINE3" << 2 << 3;
        QTest::newRow("pump, hidden vane button") << 2 << "LINE4" << 1 << 3;
        QTest::newRow("pump custom 1") << 2 << "LINECUSTOM1" << 2 << 4;
        QTest::newRow("pump custom 2") << 2 << "LINECUSTOM2" << 2 << 5;
    }
    void methodButtons() {
        QFETCH(int, appType);
        QFETCH(QString, button);
        QFETCH(int, overviewApp);
        QFETCH(int, overviewMethod);
        startEstimation(appType);
        QVERIFY(MethodButtonClick(button));
        QCOMPARE(Shared.OverviewAppType, overviewApp);
        QCOMPARE(Shared.OverviewMethod, overviewMethod);
        // The model ran for that application, the results page did not.
        QVERIFY((overviewApp == 1 ? Results.FanVfdTotalCost : Results.PumpVfdTotalCost) > 0);
        QVERIFY(resultsPage().value(QStringLiteral("VAL1")).text.isEmpty());
    }

    void methodButtonGates() {
        startEstimation(1);
        fake->expect(Icon::Information,
                     QStringLiteral("No Speed Control: Energy Cost when the motor is running "
                                    "across the line."),
                     Buttons::Ok);
        QVERIFY(!MethodButtonClick(QStringLiteral("LINE1")));
        QCOMPARE(Results.FanVfdTotalCost, 0.0);
        FieldText(10) = QStringLiteral("0");
        fake->expect(Icon::Error,
                     QStringLiteral("Total Duty Cycle Percentages should equal 100%\r"
                                    "Percentages entered currently equal: 99%"),
                     Buttons::Ok);
        Shared.OverviewMethod = 1;
        QVERIFY(!MethodButtonClick(QStringLiteral("LINE3")));
        QCOMPARE(Shared.OverviewMethod, 1);
        QCOMPARE(Results.FanVfdTotalCost, 0.0);
    }

    void otherApplicationOnlyReadsInputs() {
        startEstimation(1);
        QVERIFY(CheckDutyCycle());
        CalculateEnergy(3);
        QCOMPARE(Results.MotorHP, 150.0);
        QCOMPARE(Results.EnergyPrice, 10.0); // read, not converted
        QCOMPARE(Results.AnnualHours, 0);
        QCOMPARE(Results.FanVfdTotalCost, 0.0);
    }

    void cube() {
        const double expected[10] = {1.0,   0.729, 0.512, 0.343, 0.216,
                                     0.125, 0.064, 0.027, 0.008, 0.001};
        for (int k = 0; k < 10; ++k)
            QVERIFY(std::fabs(static_cast<double>(Cube(k)) - expected[k]) < 1e-15);
    }

    void roundToCents_data() {
        QTest::addColumn<double>("input");
        QTest::addColumn<double>("cents");
        QTest::newRow("down") << 12.1432 << 12.14;
        QTest::newRow("up") << 8.8479 << 8.85;
        QTest::newRow("half away from zero") << 0.125 << 0.13;
        QTest::newRow("negative half") << -0.125 << -0.13;
        QTest::newRow("below a half cent") << 0.0049 << 0.0;
        QTest::newRow("half cent") << 0.005 << 0.01;
        QTest::newRow("2.345 by its digits") << 2.345 << 2.35;
        QTest::newRow("-2.345 by its digits") << -2.345 << -2.35;
        QTest::newRow("huge") << 1e20 << 1e20;
        QTest::newRow("huge negative") << -1.234e19 << -1.234e19;
        // The double of 12345678901234.565 is ...234.564453125: .5645 to eighteen digits.
        QTest::newRow("large with cents") << 12345678901234.565 << 12345678901234.56;
        QTest::newRow("zero") << 0.0 << 0.0;
    }
    void roundToCents() {
        QFETCH(double, input);
        QFETCH(double, cents);
        compareExactly(RoundToCents(static_cast<long double>(input)), cents);
    }

    void roundToCentsTakesEighteenDigitsFirst() {
        // Just below half a cent, closer than the eighteenth digit: counts as the half.
        const long double nearHalf = 0.015L - 1e-21L;
        QVERIFY(nearHalf < 0.015L);
        QCOMPARE(RoundToCents(nearHalf), 0.02);
        QCOMPARE(RoundToCents(-nearHalf), -0.02);
        // Clearly below: down.
        QCOMPARE(RoundToCents(0.015L - 1e-15L), 0.01);
        // A large amount: its eighteenth digit lies at the fifth decimal, so .444999 is taken
        // as .44500 first and then rounds up, although it lies well below the half cent.
        compareExactly(RoundToCents(1234567890123.444999L), 1234567890123.45);
        compareExactly(RoundToCents(-1234567890123.444999L), -1234567890123.45);
        compareExactly(RoundToCents(1234567890123.444949L), 1234567890123.44);
        // 5000 HP at 100 cents over a stored curve entry of 0.0001: tens of millions an hour.
        compareExactly(RoundToCents(74600000.00499999997L), 74600000.01);
        QVERIFY(std::isinf(RoundToCents(std::numeric_limits<long double>::infinity())));
    }

    void zeroCurveEntryMarksMethodUnavailable() {
        startEstimation(1);
        Setup.DamperCurve[9] = 0;
        Setup.Custom2Curve[0] = 0;
        QVERIFY(CheckDutyCycle());
        CalculateEnergy(1);
        QVERIFY(!Results.DamperAvailable);
        QVERIFY(!Results.Custom2Available);
        QVERIFY(Results.VaneAvailable && Results.FanVfdAvailable && Results.Custom1Available);
        for (int k = 0; k < 10; ++k) {
            QCOMPARE(Results.DamperHP[k], 0.0);
            QCOMPARE(Results.DamperCostPerHour[k], 0.0);
            QCOMPARE(Results.DamperAnnualCost[k], 0.0);
            QCOMPARE(Results.Custom2HP[k], 0.0);
        }
        QCOMPARE(Results.DamperTotalCost, 0.0);
        QCOMPARE(Results.VaneCostPerHour[0], 11.78);

        // Fixed curve: available again on the next run.
        Setup.DamperCurve[9] = 0.0033;
        CalculateEnergy(1);
        QVERIFY(Results.DamperAvailable);
        QCOMPARE(Results.DamperCostPerHour[9], 3.57);
    }

    void zeroDivisorsNeverGiveInfinity_data() {
        QTest::addColumn<double>("driveEfficiency");
        QTest::addColumn<QString>("motorEfficiency");
        QTest::addColumn<QString>("motorHP");
        QTest::addColumn<bool>("driveAvailable");
        QTest::addColumn<bool>("othersAvailable");
        QTest::newRow("drive efficiency 0") << 0.0 << "95.0"
                                            << "150.0" << false << true;
        QTest::newRow("motor efficiency 0 (not yet checked)") << 0.97 << "0"
                                                              << "150.0" << false << false;
        QTest::newRow("motor power 0 and efficiency 0") << 0.97 << "0"
                                                        << "0" << false << false;
        QTest::newRow("overflowing motor power") << 0.97 << "95.0"
                                                 << "1e308" << false << false;
    }
    void zeroDivisorsNeverGiveInfinity() {
        QFETCH(double, driveEfficiency);
        QFETCH(QString, motorEfficiency);
        QFETCH(QString, motorHP);
        QFETCH(bool, driveAvailable);
        QFETCH(bool, othersAvailable);
        for (int app : {1, 2}) {
            startEstimation(app);
            Setup.VfdCurve[0] = driveEfficiency;
            FieldText(6) = motorEfficiency;
            FieldText(5) = motorHP;
            QVERIFY(CheckDutyCycle());
            CalculateEnergy(app);
            QCOMPARE(app == 1 ? Results.FanVfdAvailable : Results.PumpVfdAvailable, driveAvailable);
            QCOMPARE(Results.Custom1Available, othersAvailable);
            QCOMPARE(Results.AcrossLineAvailable, othersAvailable);
            const CalcResults& r = Results;
            for (const PointArray* a :
                 {&r.FanVfdHP, &r.FanVfdCostPerHour, &r.FanVfdAnnualCost, &r.DamperHP,
                  &r.DamperCostPerHour, &r.DamperAnnualCost, &r.VaneHP, &r.VaneAnnualCost,
                  &r.PumpVfdHP, &r.PumpVfdAnnualCost, &r.ValveHP, &r.ValveAnnualCost, &r.Custom1HP,
                  &r.Custom1AnnualCost, &r.Custom2HP, &r.Custom2AnnualCost})
                for (double v : *a)
                    QVERIFY(std::isfinite(v));
            for (double v : {r.FanVfdTotalCost, r.DamperTotalCost, r.VaneTotalCost,
                             r.PumpVfdTotalCost, r.ValveTotalCost, r.Custom1TotalCost,
                             r.Custom2TotalCost, r.AcrossLineTotalCost, r.MotorHP})
                QVERIFY(std::isfinite(v));
        }
    }

    void fieldNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("fixed") << "10.00" << 10.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks") << "  7.5" << 7.5;
        QTest::newRow("sign") << "-5" << -5.0;
        QTest::newRow("exponent") << "1.5E2" << 150.0;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("two points") << "1.2.3" << 1.2;
        QTest::newRow("minus inside") << "1-2" << 1.0;
        QTest::newRow("lone minus") << "-" << 0.0;
        QTest::newRow("letters") << "inf" << 0.0;
        QTest::newRow("too large") << "1e999" << std::numeric_limits<double>::max();
        QTest::newRow("too small") << "1e-999" << 0.0;
    }
    void fieldNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(FieldNumber(text), value);
    }

    void fieldsFromParameters() {
        startEstimation(1);
        QCOMPARE(FieldText(1), QStringLiteral("24"));
        QCOMPARE(FieldText(4), QStringLiteral("10.00"));
        QCOMPARE(FieldText(5), QStringLiteral("150.0"));
        QCOMPARE(FieldText(9), QStringLiteral("0"));
        QCOMPARE(FieldText(14), QStringLiteral("24"));
        QCOMPARE(FieldText(20), QStringLiteral("1"));
        QCOMPARE(FieldName(1), QStringLiteral("A101"));
        QCOMPARE(FieldName(20), QStringLiteral("A120"));
        FieldText(5) = QStringLiteral("75.5");
        StoreFieldsToParameters();
        QCOMPARE(Parameter(5).value, 75.5f);
        QVERIFY(FieldText(0).isEmpty());
        QVERIFY(FieldText(21).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestEnergyModel)
#include "tst_energymodel.moc"
