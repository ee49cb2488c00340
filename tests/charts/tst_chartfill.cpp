#include "ChartFixtures.h"
#include "FakeDesktop.h"
#include "TestEnvironment.h"
#include "calc/Calculation.h"
#include "calc/WizardFields.h"
#include "charts/EstimationCharts.h"
#include "core/SharedState.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using platform::Buttons;
using platform::Icon;

namespace {

// The values of a series after the point (0, 0), from 10 % to 100 % flow.
QList<double> valuesOf(const ChartSeries& s, bool horizontal) {
    QList<double> out;
    for (qsizetype i = 1; i < s.points.size(); ++i)
        out << (horizontal ? s.points[i].x() : s.points[i].y());
    return out;
}

template <typename Array> QList<double> expected(const Array& a) {
    QList<double> out;
    for (int i = 9; i >= 0; --i)
        out << static_cast<double>(a[i]);
    return out;
}

// Every chart has eleven points on the series, from (0, 0), at flows 0, 10, .. 100.
void verifyPointsOf(int slot, const QList<double>& values) {
    for (int c = 0; c < GraphChartCount; ++c) {
        const ChartSeries& s = Charts.Graph[c].series[slot];
        const bool horizontal = c == 2;
        QCOMPARE(s.points.size(), 11);
        QCOMPARE(s.points.first(), QPointF(0, 0));
        for (int i = 0; i <= 10; ++i)
            QCOMPARE(horizontal ? s.points[i].y() : s.points[i].x(), 10.0 * i);
        QCOMPARE(valuesOf(s, horizontal), values);
    }
}

void verifyOnlyZeroPoint(int slot) {
    for (const ChartModel& chart : Charts.Graph) {
        QCOMPARE(chart.series[slot].points.size(), 1);
        QCOMPARE(chart.series[slot].points.first(), QPointF(0, 0));
    }
}

QList<bool> activeFlags(const ChartModel& chart) {
    QList<bool> out;
    for (const ChartSeries& s : chart.series)
        out << s.active;
    return out;
}

QStringList titlesOf(const ChartModel& chart) {
    QStringList out;
    for (const ChartSeries& s : chart.series)
        out << s.title;
    return out;
}

} // namespace

class TestChartFill : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        fake = std::make_unique<FakeDesktop>();
        ResetCalculation();
        ResetCharts();
        FillSampleResults();
        Shared.AppType = 1;
    }
    void cleanup() {
        QVERIFY(fake->allShown());
        ResetCalculation();
        fake.reset();
        env.reset();
    }

    void fixedSetup() {
        QStringList kinds;
        for (int c = 0; c < GraphChartCount; ++c) {
            const ChartModel& chart = Charts.Graph[c];
            QCOMPARE(chart.name, QStringLiteral("Chart%1").arg(c + 1));
            QCOMPARE(chart.seriesCount(), 5);
            QCOMPARE(chart.background, QColor(Qt::white));
            QVERIFY(chart.backWallTransparent);
            QCOMPARE(chart.leftWall, QColor(192, 192, 192));
            QVERIFY(chart.legendVisible);
            QVERIFY(chart.legendDividers);
            QVERIFY(chart.view.enabled);
            QCOMPARE(chart.view.depth, 15);
            QVERIFY(chart.view.orthogonal);
            QCOMPARE(chart.view.rotation, 345);
            for (int slot = 0; slot < 5; ++slot) {
                QCOMPARE(chart.series[slot].color, SlotColor(slot + 1));
                QCOMPARE(chart.series[slot].kind, chart.series[0].kind);
            }
        }
        QCOMPARE(Charts.Graph[0].series[0].kind, SeriesKind::Area);
        QCOMPARE(Charts.Graph[1].series[0].kind, SeriesKind::Line);
        QCOMPARE(Charts.Graph[2].series[0].kind, SeriesKind::HorizBar);
        QCOMPARE(Charts.Graph[3].series[0].kind, SeriesKind::Point);
        QCOMPARE(Charts.Graph[4].series[0].kind, SeriesKind::Bar);
        QCOMPARE(Charts.Graph[5].series[0].kind, SeriesKind::FastLine);
        QCOMPARE(Charts.Graph[5].series[0].penWidth, 2);
        QCOMPARE(SlotColor(1), QColor(0, 255, 0));
        QCOMPARE(SlotColor(2), QColor(255, 0, 0));
        QCOMPARE(SlotColor(3), QColor(0, 0, 255));
        QCOMPARE(SlotColor(4), QColor(0, 128, 0));
        QCOMPARE(SlotColor(5), QColor(255, 255, 0));

        const ChartModel& duty = Charts.DutyChart;
        QCOMPARE(duty.name, QStringLiteral("DutyChart"));
        QCOMPARE(duty.title, QStringLiteral("Duty Cycle"));
        QVERIFY(!duty.legendVisible);
        QCOMPARE(duty.bottomAxisTitle, QStringLiteral("Flow (%)"));
        QCOMPARE(duty.leftAxisTitle, QStringLiteral("Time (%)"));
        QVERIFY(duty.bottomFixed.has_value());
        QCOMPARE(duty.bottomFixed->min, 0.0);
        QCOMPARE(duty.bottomFixed->max, 105.0);
        QCOMPARE(duty.leftFixedMin.value_or(-1), 0.0);
        QCOMPARE(duty.rightMarginPercent, 5.0);
        QVERIFY(!duty.allowScroll);
        QCOMPARE(duty.background, QColor(244, 248, 255));
        QCOMPARE(duty.seriesCount(), 1);
        QCOMPARE(duty.series[0].name, QStringLiteral("DutySeries1"));
        QCOMPARE(duty.series[0].color, QColor(Qt::blue));
        QVERIFY(duty.series[0].gradient);
        QVERIFY(!duty.series[0].inLegend);
    }

    void fanCostGraphWithoutCustomMethods() {
        FillCostGraph();
        for (int c = 0; c < GraphChartCount; ++c) {
            const ChartModel& chart = Charts.Graph[c];
            QCOMPARE(chart.title, QStringLiteral("Annual Operating Cost / Fan Application"));
            QCOMPARE(activeFlags(chart), (QList<bool>{true, true, true, false, false}));
            QCOMPARE(titlesOf(chart),
                     (QStringList{"Inverter", "Outlet Damper", "Inlet Vane", "", ""}));
            QVERIFY(chart.series[2].inLegend);
        }
        verifyPointsOf(0, expected(Results.FanVfdAnnualCost));
        verifyPointsOf(1, expected(Results.DamperAnnualCost));
        verifyPointsOf(2, expected(Results.VaneAnnualCost));
        verifyOnlyZeroPoint(3);
        verifyOnlyZeroPoint(4);
    }

    void pumpCostGraphWithCustom1() {
        Shared.AppType = 2;
        Setup.Custom1Enabled = true;
        Setup.Custom1Name = QStringLiteral("Eddy Coupling");
        FillCostGraph();
        for (const ChartModel& chart : Charts.Graph) {
            QCOMPARE(chart.title, QStringLiteral("Annual Operating Cost / Pumping Application"));
            QCOMPARE(activeFlags(chart), (QList<bool>{true, true, false, true, false}));
            QCOMPARE(titlesOf(chart),
                     (QStringList{"Inverter", "Throttling Valve", "", "Eddy Coupling", ""}));
            QCOMPARE(chart.series[3].color, QColor(0, 128, 0));
        }
        verifyPointsOf(0, expected(Results.PumpVfdAnnualCost));
        verifyPointsOf(1, expected(Results.ValveAnnualCost));
        verifyOnlyZeroPoint(2);
        verifyPointsOf(3, expected(Results.Custom1AnnualCost));
        verifyOnlyZeroPoint(4);
    }

    void customSlots_data() {
        QTest::addColumn<bool>("custom1");
        QTest::addColumn<bool>("custom2");
        QTest::newRow("none") << false << false;
        QTest::newRow("first") << true << false;
        QTest::newRow("second") << false << true;
        QTest::newRow("both") << true << true;
    }
    void customSlots() {
        QFETCH(bool, custom1);
        QFETCH(bool, custom2);
        Setup.Custom1Enabled = custom1;
        Setup.Custom2Enabled = custom2;
        Setup.Custom1Name = QStringLiteral("Magnetic");
        Setup.Custom2Name = QStringLiteral("Two Speed");
        FillCostGraph();
        QCOMPARE(Charts.MethodNames[3], custom1 ? QStringLiteral("Magnetic") : QString());
        QCOMPARE(Charts.MethodNames[4], custom2 ? QStringLiteral("Two Speed") : QString());
        for (const ChartModel& chart : Charts.Graph) {
            QCOMPARE(chart.series[3].active, custom1);
            QCOMPARE(chart.series[4].active, custom2);
        }
        if (custom1)
            verifyPointsOf(3, expected(Results.Custom1AnnualCost));
        else
            verifyOnlyZeroPoint(3);
        if (custom2)
            verifyPointsOf(4, expected(Results.Custom2AnnualCost));
        else
            verifyOnlyZeroPoint(4);
    }

    void axisTitles_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("valueTitle");
        QTest::newRow("cost") << 0 << "Operating cost $ ";
        QTest::newRow("hours") << 1 << "Annual Hours ";
        QTest::newRow("time") << 2 << "Percentage Time (%) ";
    }
    void axisTitles() {
        QFETCH(int, entry);
        QFETCH(QString, valueTitle);
        Charts.SelectionGraphType = entry;
        SelectionGraphTypeChange();
        const QString flow = QStringLiteral("Percentage Flow (%)");
        for (int c = 0; c < GraphChartCount; ++c) {
            const ChartModel& chart = Charts.Graph[c];
            QString value = valueTitle;
            if (c == 3)
                value.chop(1); // the point chart's title has no trailing blank
            if (c == 2) {
                QCOMPARE(chart.bottomAxisTitle, value);
                QCOMPARE(chart.leftAxisTitle, flow);
            } else {
                QCOMPARE(chart.leftAxisTitle, value);
                QCOMPARE(chart.bottomAxisTitle, flow);
            }
        }
    }

    void singleSeriesGraphs_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("app");
        QTest::addColumn<QString>("title");
        QTest::newRow("fan hours")
            << 1 << 1 << "Annual Hours of operation per percentage Flow Graph for Fans";
        QTest::newRow("pump hours")
            << 1 << 2 << "Annual Hours of operation per percentage Flow Graph for Pumps";
        QTest::newRow("fan time") << 2 << 1 << "Percentage Time per percentage Flow Graph for Fans";
        QTest::newRow("pump time")
            << 2 << 2 << "Percentage Time per percentage Flow Graph for Pumps";
    }
    void singleSeriesGraphs() {
        QFETCH(int, entry);
        QFETCH(int, app);
        QFETCH(QString, title);
        Shared.AppType = app;
        Setup.Custom1Enabled = true;
        Setup.Custom2Enabled = true;
        FillCostGraph(); // the names and flags of the cost graph must not survive
        Charts.SelectionGraphType = entry;
        SelectionGraphTypeChange();
        for (const ChartModel& chart : Charts.Graph) {
            QCOMPARE(chart.title, title);
            QCOMPARE(activeFlags(chart), (QList<bool>{false, false, true, false, false}));
            QVERIFY(!chart.series[2].inLegend);
            QCOMPARE(titlesOf(chart), (QStringList{"", "", "", "", ""}));
            QCOMPARE(chart.series[2].color, QColor(0, 0, 255));
        }
        for (const QString& name : Charts.MethodNames)
            QVERIFY(name.isEmpty());
        if (entry == 1)
            verifyPointsOf(2, expected(app == 1 ? Results.FanHours : Results.PumpHours));
        else
            verifyPointsOf(2,
                           expected(app == 1 ? Results.FanDutyPercent : Results.PumpDutyPercent));
        for (int slot : {0, 1, 3, 4})
            verifyOnlyZeroPoint(slot);
    }

    void hoursOfADefaultYear() {
        FillHoursGraph();
        const ChartSeries& hours = Charts.Graph[4].series[2];
        QCOMPARE(hours.points[1], QPointF(10, 0));
        QCOMPARE(hours.points[6], QPointF(60, 0.24 * 8760));
        // the horizontal bar chart turns the same point around
        QCOMPARE(Charts.Graph[2].series[2].points[6], QPointF(0.24 * 8760, 60));
    }

    void clearGraphsKeepsFlags() {
        FillCostGraph();
        ClearGraphs();
        for (const ChartModel& chart : Charts.Graph) {
            QCOMPARE(activeFlags(chart), (QList<bool>{true, true, true, false, false}));
            for (const ChartSeries& s : chart.series)
                QVERIFY(s.points.isEmpty());
        }
        for (const QString& name : Charts.MethodNames)
            QVERIFY(name.isEmpty());
    }

    void unknownSelectionLeavesCharts() {
        FillTimeGraph();
        const auto before = Charts.Graph[4].series[2].points;
        Charts.SelectionGraphType = 3;
        SelectionGraphTypeChange();
        Charts.SelectionGraphType = -1;
        SelectionGraphTypeChange();
        QCOMPARE(Charts.Graph[4].series[2].points, before);
        QCOMPARE(Charts.Graph[4].title,
                 QStringLiteral("Percentage Time per percentage Flow Graph for Fans"));
    }

    void fillsNotifyViews() {
        QSignalSpy spy(&ChartSignals::instance(), &ChartSignals::changed);
        FillCostGraph();
        QVERIFY(spy.count() >= 1);
    }

    void dutyChart_data() {
        QTest::addColumn<int>("app");
        QTest::newRow("fan") << 1;
        QTest::newRow("pump") << 2;
    }
    void dutyChart() {
        QFETCH(int, app);
        Shared.AppType = app;
        Results.PumpDutyPercent = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
        RefreshDutyChart();
        const ChartSeries& bars = Charts.DutyChart.series[0];
        QCOMPARE(bars.points.size(), 11);
        QCOMPARE(bars.points[0], QPointF(0, 0));
        const auto& duty = app == 1 ? Results.FanDutyPercent : Results.PumpDutyPercent;
        for (int i = 1; i <= 10; ++i)
            QCOMPARE(bars.points[i], QPointF(10.0 * i, duty[10 - i]));
    }

    void dutyColourFollowsTheTotal() {
        DutyTotalChanged(95);
        QCOMPARE(Charts.DutyChart.series[0].color, QColor(Qt::red));
        DutyTotalChanged(100);
        QCOMPARE(Charts.DutyChart.series[0].color, QColor(Qt::blue));
        DutyTotalChanged(101);
        QCOMPARE(Charts.DutyChart.series[0].color, QColor(Qt::red));
    }

    // Through the recalculation: a wrong total keeps the last valid bars and turns them red;
    // the chosen graph is refilled only after a successful check.
    void recalculationSteps() {
        InstallChartSteps();
        const int good[10] = {0, 5, 10, 15, 24, 20, 15, 8, 3, 0};
        for (int i = 0; i < 10; ++i)
            FieldText(10 + i) = QString::number(good[i]);
        Results = CalcResults{};
        Results.FanDutyPercent = {0, 5, 10, 15, 24, 20, 15, 8, 3, 0};
        Charts.SelectionGraphType = 2;
        UpdateDutyTotal(); // total 100: recalculates
        QCOMPARE(Charts.DutyChart.series[0].color, QColor(Qt::blue));
        QCOMPARE(Charts.Graph[0].title,
                 QStringLiteral("Percentage Time per percentage Flow Graph for Fans"));
        const auto bars = Charts.DutyChart.series[0].points;
        QCOMPARE(bars.size(), 11);
        QCOMPARE(bars[6], QPointF(60, 24));

        FieldText(10) = QStringLiteral("1"); // 101 %
        UpdateDutyTotal();
        QCOMPARE(Charts.DutyChart.series[0].color, QColor(Qt::red));
        Charts.SelectionGraphType = 0;
        fake->expect(Icon::Error,
                     QStringLiteral("Total Duty Cycle Percentages should equal 100%\r"
                                    "Percentages entered currently equal: 101%"),
                     Buttons::Ok);
        Recalculate();
        QCOMPARE(Charts.DutyChart.series[0].points, bars);
        QCOMPARE(Charts.DutyChart.series[0].color, QColor(Qt::red));
        // the graph was not refilled: still the time graph
        QCOMPARE(Charts.Graph[0].title,
                 QStringLiteral("Percentage Time per percentage Flow Graph for Fans"));
        // choosing a graph meanwhile still fills it from the last valid results
        SelectionGraphTypeChange();
        QCOMPARE(Charts.Graph[0].title, QStringLiteral("Annual Operating Cost / Fan Application"));
    }

    void earlierDutyStepStillRuns() {
        int seen = -1;
        recalculateHooks().dutyTotalChanged = [&seen](int total, bool) { seen = total; };
        InstallChartSteps();
        for (int i = 0; i < 10; ++i)
            FieldText(10 + i) = QStringLiteral("9");
        UpdateDutyTotal();
        QCOMPARE(seen, 90);
        QCOMPARE(Charts.DutyChart.series[0].color, QColor(Qt::red));
    }

    void showGraphOfType_data() {
        QTest::addColumn<int>("graphType");
        for (int t : {-1, 0, 1, 2, 3, 4, 5, 6, 7, 100})
            QTest::newRow(qPrintable(QString::number(t))) << t;
    }
    void showGraphOfType() {
        QFETCH(int, graphType);
        Shared.GraphType = graphType;
        ShowGraphOfType();
        for (int c = 0; c < GraphChartCount; ++c)
            QCOMPARE(Charts.Graph[c].visible, c + 1 == graphType);
        QCOMPARE(GraphChart(graphType) != nullptr, graphType >= 1 && graphType <= 6);
    }

    void patterns() {
        Charts.Pattern = true;
        ApplyFillPatterns();
        const Qt::BrushStyle hatch[5] = {Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern,
                                         Qt::FDiagPattern, Qt::HorPattern};
        for (const ChartModel& chart : Charts.Graph)
            for (int slot = 0; slot < 5; ++slot)
                QCOMPARE(chart.series[slot].fill, hatch[slot]);
        // refills keep the fill
        FillCostGraph();
        FillHoursGraph();
        QCOMPARE(Charts.Graph[4].series[2].fill, Qt::DiagCrossPattern);
        Charts.Pattern = false;
        ApplyFillPatterns();
        for (const ChartModel& chart : Charts.Graph)
            for (const ChartSeries& s : chart.series)
                QCOMPARE(s.fill, Qt::SolidPattern);
    }

    void viewSettings() {
        SetGraphs3D(false);
        SetGraphsDepth(40);
        RotateGraphs(300);
        for (const ChartModel& chart : Charts.Graph) {
            QVERIFY(!chart.view.enabled);
            QCOMPARE(chart.view.depth, 40);
            QVERIFY(!chart.view.orthogonal);
            QCOMPARE(chart.view.rotation, 300);
        }
        SetGraphsDepth(0);
        QCOMPARE(Charts.Graph[0].view.depth, 1);
        SetGraphsDepth(1000);
        QCOMPARE(Charts.Graph[0].view.depth, 100);
        RotateGraphs(10);
        QCOMPARE(Charts.Graph[0].view.rotation, 270);

        RotateGraphs(300);
        SetGraphsDepth(40);
        ResetGraphsView();
        for (const ChartModel& chart : Charts.Graph) {
            QVERIFY(chart.view.orthogonal);
            QCOMPARE(chart.view.rotation, 345);
            QCOMPARE(chart.view.depth, 15);
            QVERIFY(!chart.view.enabled); // the 3-D switch is left alone
        }
    }

    void showTimeView() {
        RotateGraphs(300);
        for (ChartModel& chart : Charts.Graph) {
            chart.zoomX = AxisRange{10, 20};
            chart.zoomY = AxisRange{0, 5};
        }
        ApplyShowTimeView();
        for (int c = 0; c < GraphChartCount; ++c) {
            const ChartModel& chart = Charts.Graph[c];
            QVERIFY(!chart.zoomX && !chart.zoomY);
            const bool flatKinds = c == 0 || c == 2 || c == 4;
            QCOMPARE(chart.view.orthogonal, flatKinds);
            QCOMPARE(chart.view.rotation, flatKinds ? 300 : 345);
        }
    }

private:
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
};

QTEST_MAIN(TestChartFill)
#include "tst_chartfill.moc"
