#include "charts/EstimationCharts.h"

#include "calc/CalcResults.h"
#include "calc/Calculation.h"
#include "core/SharedState.h"
#include "setup/SetupOptions.h"

#include <algorithm>

namespace {

constexpr SeriesKind GraphKinds[GraphChartCount] = {SeriesKind::Area,     SeriesKind::Line,
                                                    SeriesKind::HorizBar, SeriesKind::Point,
                                                    SeriesKind::Bar,      SeriesKind::FastLine};

const QString FlowAxisTitle = QStringLiteral("Percentage Flow (%)");

bool isFan() {
    return Shared.AppType == 1;
}

// Chart3 lays the value along the bottom axis and the flow up the left one.
QPointF graphPoint(int chart, double flow, double value) {
    return chart == 2 ? QPointF(value, flow) : QPointF(flow, value);
}

void setTitles(const QString& title, const QString& valueTitle) {
    for (int c = 0; c < GraphChartCount; ++c) {
        ChartModel& chart = Charts.Graph[c];
        chart.title = title;
        QString value = valueTitle;
        if (c == 3 && value.endsWith(QLatin1Char(' ')))
            value.chop(1);
        if (c == 2) {
            chart.bottomAxisTitle = value;
            chart.leftAxisTitle = FlowAxisTitle;
        } else {
            chart.leftAxisTitle = value;
            chart.bottomAxisTitle = FlowAxisTitle;
        }
    }
}

// The point (0, 0) on every series and the method names as series titles.
void startSeries() {
    for (int c = 0; c < GraphChartCount; ++c) {
        for (int slot = 0; slot < MethodSlotCount; ++slot) {
            ChartSeries& s = Charts.Graph[c].series[slot];
            s.points.append(graphPoint(c, 0, 0));
            s.title = Charts.MethodNames[slot];
        }
    }
}

template <typename Array> void addTenPoints(int slot, const Array& values) {
    for (int c = 0; c < GraphChartCount; ++c) {
        ChartSeries& s = Charts.Graph[c].series[slot];
        for (int i = 1; i <= 10; ++i)
            s.points.append(graphPoint(c, 10.0 * i, static_cast<double>(values[10 - i])));
    }
}

void setActive(int slot, bool active) {
    for (ChartModel& chart : Charts.Graph)
        chart.series[slot].active = active;
}

void setInLegend(int slot, bool inLegend) {
    for (ChartModel& chart : Charts.Graph)
        chart.series[slot].inLegend = inLegend;
}

template <typename Array>
void fillSingleSeriesGraph(const QString& fanTitle, const QString& pumpTitle,
                           const QString& valueTitle, const Array& fanValues,
                           const Array& pumpValues) {
    ClearGraphs();
    setTitles(isFan() ? fanTitle : pumpTitle, valueTitle);
    startSeries();
    for (int slot : {0, 1, 3, 4})
        setActive(slot, false);
    setActive(2, true);
    setInLegend(2, false);
    addTenPoints(2, isFan() ? fanValues : pumpValues);
    ChartSignals::instance().notify();
}

} // namespace

EstimationCharts::EstimationCharts() {
    for (int c = 0; c < GraphChartCount; ++c) {
        ChartModel& chart = Graph[c];
        chart.name = QStringLiteral("Chart%1").arg(c + 1);
        chart.background = Qt::white;
        chart.backWall = Qt::white;
        chart.backWallTransparent = true;
        chart.leftWall = QColor(192, 192, 192);
        chart.legendVisible = true;
        chart.legendDividers = true;
        chart.view = ChartView3D{};
        chart.visible = c == 4; // the bar chart until the graph type says otherwise
        for (int slot = 1; slot <= MethodSlotCount; ++slot) {
            ChartSeries s;
            s.name = QStringLiteral("Series%1").arg(slot);
            s.kind = GraphKinds[c];
            s.color = SlotColor(slot);
            s.penWidth = s.kind == SeriesKind::FastLine ? 2 : 1;
            chart.series.append(s);
        }
    }
    DutyChart.name = QStringLiteral("DutyChart");
    DutyChart.title = QStringLiteral("Duty Cycle");
    DutyChart.legendVisible = false;
    DutyChart.bottomAxisTitle = QStringLiteral("Flow (%)");
    DutyChart.leftAxisTitle = QStringLiteral("Time (%)");
    DutyChart.bottomFixed = AxisRange{0, 105};
    DutyChart.leftFixedMin = 0;
    DutyChart.rightMarginPercent = 5;
    DutyChart.allowScroll = false;
    DutyChart.background = QColor(244, 248, 255);
    DutyChart.backWall = QColor(244, 248, 255);
    DutyChart.view.enabled = false;
    DutyChart.size = QSize(320, 260);
    ChartSeries duty;
    duty.name = QStringLiteral("DutySeries1");
    duty.kind = SeriesKind::Bar;
    duty.color = Qt::blue;
    duty.gradient = true;
    duty.inLegend = false;
    DutyChart.series.append(duty);
}

ChartSignals& ChartSignals::instance() {
    static ChartSignals hub;
    return hub;
}

QColor SlotColor(int slot) {
    switch (slot) {
    case 1:
        return QColor(0, 255, 0);
    case 2:
        return QColor(255, 0, 0);
    case 3:
        return QColor(0, 0, 255);
    case 4:
        return QColor(0, 128, 0);
    case 5:
        return QColor(255, 255, 0);
    default:
        return Qt::black;
    }
}

Qt::BrushStyle SlotPattern(int slot) {
    switch (slot) {
    case 1:
        return Qt::BDiagPattern;
    case 2:
        return Qt::CrossPattern;
    case 3:
        return Qt::DiagCrossPattern;
    case 4:
        return Qt::FDiagPattern;
    case 5:
        return Qt::HorPattern;
    default:
        return Qt::SolidPattern;
    }
}

QStringList GraphSelectionTexts() {
    return {QStringLiteral("%Flow versus Cost Estimation Graph"),
            QStringLiteral("%Flow versus Annual Hours Graph"),
            QStringLiteral("%Flow versus %Time Graph")};
}

int GraphSelectionIndex(const QString& graph) {
    const QString name = graph.trimmed().toLower();
    if (name == QLatin1String("cost"))
        return 0;
    if (name == QLatin1String("hours"))
        return 1;
    if (name == QLatin1String("time"))
        return 2;
    return -1;
}

ChartModel* GraphChart(int graphType) {
    if (graphType < 1 || graphType > GraphChartCount)
        return nullptr;
    return &Charts.Graph[graphType - 1];
}

void ClearGraphs() {
    for (ChartModel& chart : Charts.Graph)
        chart.clearPoints();
    for (QString& name : Charts.MethodNames)
        name.clear();
    ChartSignals::instance().notify();
}

void FillCostGraph() {
    ClearGraphs();
    const bool fan = isFan();
    Charts.MethodNames[0] = QStringLiteral("Inverter");
    if (fan) {
        Charts.MethodNames[1] = QStringLiteral("Outlet Damper");
        Charts.MethodNames[2] = QStringLiteral("Inlet Vane");
    } else {
        Charts.MethodNames[1] = QStringLiteral("Throttling Valve");
    }
    Charts.MethodNames[3] = Setup.Custom1Enabled ? Setup.Custom1Name : QString();
    Charts.MethodNames[4] = Setup.Custom2Enabled ? Setup.Custom2Name : QString();

    setTitles(fan ? QStringLiteral("Annual Operating Cost / Fan Application")
                  : QStringLiteral("Annual Operating Cost / Pumping Application"),
              QStringLiteral("Operating cost $ "));
    startSeries();

    setActive(0, true);
    setActive(1, true);
    setActive(2, fan);
    setInLegend(2, true);
    setActive(3, Setup.Custom1Enabled);
    setActive(4, Setup.Custom2Enabled);

    addTenPoints(0, fan ? Results.FanVfdAnnualCost : Results.PumpVfdAnnualCost);
    addTenPoints(1, fan ? Results.DamperAnnualCost : Results.ValveAnnualCost);
    if (fan)
        addTenPoints(2, Results.VaneAnnualCost);
    if (Setup.Custom1Enabled)
        addTenPoints(3, Results.Custom1AnnualCost);
    if (Setup.Custom2Enabled)
        addTenPoints(4, Results.Custom2AnnualCost);
    ChartSignals::instance().notify();
}

void FillHoursGraph() {
    fillSingleSeriesGraph(
        QStringLiteral("Annual Hours of operation per percentage Flow Graph for Fans"),
        QStringLiteral("Annual Hours of operation per percentage Flow Graph for Pumps"),
        QStringLiteral("Annual Hours "), Results.FanHours, Results.PumpHours);
}

void FillTimeGraph() {
    fillSingleSeriesGraph(QStringLiteral("Percentage Time per percentage Flow Graph for Fans"),
                          QStringLiteral("Percentage Time per percentage Flow Graph for Pumps"),
                          QStringLiteral("Percentage Time (%) "), Results.FanDutyPercent,
                          Results.PumpDutyPercent);
}

void SelectionGraphTypeChange() {
    switch (Charts.SelectionGraphType) {
    case 0:
        FillCostGraph();
        break;
    case 1:
        FillHoursGraph();
        break;
    case 2:
        FillTimeGraph();
        break;
    default:
        break;
    }
}

void RefreshDutyChart() {
    ChartSeries& bars = Charts.DutyChart.series[0];
    bars.points.clear();
    bars.points.append(QPointF(0, 0));
    const auto& duty = isFan() ? Results.FanDutyPercent : Results.PumpDutyPercent;
    for (int i = 1; i <= 10; ++i)
        bars.points.append(QPointF(10.0 * i, duty[10 - i]));
    ChartSignals::instance().notify();
}

void DutyTotalChanged(int total) {
    Charts.DutyChart.series[0].color = total == 100 ? QColor(Qt::blue) : QColor(Qt::red);
    ChartSignals::instance().notify();
}

void ShowGraphOfType() {
    for (int c = 0; c < GraphChartCount; ++c)
        Charts.Graph[c].visible = c + 1 == Shared.GraphType;
    ChartSignals::instance().notify();
}

void ApplyFillPatterns() {
    for (ChartModel& chart : Charts.Graph)
        for (int slot = 0; slot < MethodSlotCount; ++slot)
            chart.series[slot].fill = Charts.Pattern ? SlotPattern(slot + 1) : Qt::SolidPattern;
    ChartSignals::instance().notify();
}

void SetGraphs3D(bool on) {
    for (ChartModel& chart : Charts.Graph)
        chart.view.enabled = on;
    ChartSignals::instance().notify();
}

void SetGraphsDepth(int percent) {
    for (ChartModel& chart : Charts.Graph)
        chart.view.depth = std::clamp(percent, 1, 100);
    ChartSignals::instance().notify();
}

void RotateGraphs(int degrees) {
    for (ChartModel& chart : Charts.Graph) {
        chart.view.orthogonal = false;
        chart.view.rotation = std::clamp(degrees, 270, 360);
    }
    ChartSignals::instance().notify();
}

void ResetGraphsView() {
    for (ChartModel& chart : Charts.Graph) {
        chart.view.orthogonal = true;
        chart.view.rotation = 345;
    }
    for (ChartModel& chart : Charts.Graph)
        chart.view.depth = 15;
    ChartSignals::instance().notify();
}

void UndoGraphsZoom() {
    for (ChartModel& chart : Charts.Graph)
        chart.undoZoom();
    ChartSignals::instance().notify();
}

void ApplyShowTimeView() {
    for (ChartModel& chart : Charts.Graph)
        chart.undoZoom();
    for (int c : {0, 2, 4})
        Charts.Graph[c].view.orthogonal = true;
    for (int c : {1, 3, 5})
        Charts.Graph[c].view.rotation = 345;
    ChartSignals::instance().notify();
}

void InstallChartSteps() {
    RecalculateHooks& hooks = recalculateHooks();
    hooks.refreshSelectedGraph = [] { SelectionGraphTypeChange(); };
    hooks.refreshDutyChart = [] { RefreshDutyChart(); };
    auto earlier = hooks.dutyTotalChanged;
    hooks.dutyTotalChanged = [earlier](int total, bool complete) {
        if (earlier)
            earlier(total, complete);
        DutyTotalChanged(total);
    };
}
