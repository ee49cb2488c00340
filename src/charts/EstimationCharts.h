#pragma once

#include "charts/ChartModel.h"

#include <QObject>
#include <QString>

#include <array>

// The charts of an estimation: the six graph charts (one per graph type, all holding the
// same data, only the one of the current graph type shown) and the duty chart. The data is
// process-wide like the results it is drawn from; the widgets watch ChartSignals.

constexpr int GraphChartCount = 6;
constexpr int MethodSlotCount = 5;

struct EstimationCharts {
    EstimationCharts(); // the fixed setup of every chart

    std::array<ChartModel, GraphChartCount> Graph; // Chart1 .. Chart6
    ChartModel DutyChart;
    std::array<QString, MethodSlotCount> MethodNames; // series titles by method slot
    int SelectionGraphType = 0;                       // entry of the graph selection list
    bool Pattern = false; // the "Pattern" box: hatch fills for black-and-white printers
};

inline EstimationCharts Charts;

// Told whenever a routine below changed a chart, so views repaint.
class ChartSignals : public QObject {
    Q_OBJECT
public:
    static ChartSignals& instance();
    void notify() { emit changed(); }
signals:
    void changed();
};

// The colour of a method slot 1..5.
QColor SlotColor(int slot);
// The hatch of a method slot 1..5 while "Pattern" is on.
Qt::BrushStyle SlotPattern(int slot);
// The texts of the graph selection list.
QStringList GraphSelectionTexts();

// The entry of the graph selection list for "cost", "hours" or "time"; -1 for others.
int GraphSelectionIndex(const QString& graph);

// The chart of a graph type 1..6; nullptr outside.
ChartModel* GraphChart(int graphType);

void ClearGraphs();
void FillCostGraph();
void FillHoursGraph();
void FillTimeGraph();
// Runs the fill routine of the entry `Charts.SelectionGraphType` (0 cost, 1 hours, 2 time).
void SelectionGraphTypeChange();
void RefreshDutyChart();
// The duty bars turn red while the duty total is not 100 and blue again when it is.
void DutyTotalChanged(int total);

// Shows only the chart of Shared.GraphType (none for a value outside 1..6).
void ShowGraphOfType();
// Hatch per slot while Charts.Pattern is set, solid otherwise, on all six charts.
void ApplyFillPatterns();

// View settings, always for the six graph charts together.
void SetGraphs3D(bool on);
void SetGraphsDepth(int percent);
void RotateGraphs(int degrees); // orthogonal view off, rotation set
void ResetGraphsView();         // orthogonal view, rotation 345, depth 15
void ApplyShowTimeView();       // undo zoom; area/bars orthogonal, line/point/fast line at 345
void UndoGraphsZoom();

// Adds the chart steps to the recalculation: refill the selected graph, refill the duty
// chart, colour the duty bars by the duty total (after any earlier duty-total step).
void InstallChartSteps();
