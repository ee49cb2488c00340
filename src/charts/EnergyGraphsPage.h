#pragma once

#include <QWidget>

#include <array>
#include <memory>

class ChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollBar;
class TGRSEL;
struct ChartModel;

// The graphs of the estimation wizard's "Energy Graphs" page: the tool bar (graph type,
// reset, print, 3-D, depth, rotation), the six graph charts of which only the one of the
// current graph type shows, and the bottom bar with the graph selection list and the
// "Pattern" box. The wizard places it on its page and calls ShowTimeView on every show.
class EnergyGraphsPage : public QWidget {
    Q_OBJECT
public:
    explicit EnergyGraphsPage(QWidget* parent = nullptr);
    ~EnergyGraphsPage() override;

    // The chooser to show for "&Graph Type"; the page makes its own when none is set.
    void setChooser(TGRSEL* chooser) { GraphSel = chooser; }
    QPrinter& printer();

    ChartView* chart(int graphType) const; // Chart1 .. Chart6

    // Tool bar handlers.
    void BitBtn9Click();
    void ResetGraphClick();
    void PrintGraphClick();
    void CheckBox1Click();
    void Bar3DChange();
    void ScrollBar3Change();
    void BWClick();
    // The graph selection list: fills the chosen graph.
    void SelectionGraphTypeChange();
    // Part of every show of the wizard: undo zoom and scroll, the show-time view of the
    // charts, the depth scroll bar and its label from the first chart.
    void ShowTimeView();
    // The selection list back to its first entry (every show of the wizard).
    void SelectFirstGraph();

    QPushButton* BitBtn9 = nullptr;
    QPushButton* BitBtn16 = nullptr;
    QPushButton* BitBtn17 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLabel* Label6A = nullptr;
    QScrollBar* Bar3D = nullptr;
    QLabel* Label60 = nullptr;
    QScrollBar* ScrollBar3 = nullptr;
    QLabel* SelectLabel = nullptr;
    QComboBox* SelectionGraphType = nullptr;
    QCheckBox* BW = nullptr;

private:
    std::array<ChartView*, 6> charts{};
    TGRSEL* GraphSel = nullptr;
    std::unique_ptr<TGRSEL> ownChooser;
    std::unique_ptr<QPrinter> graphPrinter;
};

// The duty chart view of the "System Data" page.
ChartView* CreateDutyChartView(QWidget* parent);

// Prints the chart on one landscape page of the printer and gives the printer its previous
// orientation back. False when the printer could not be started.
bool PrintChart(const ChartModel& model, QPrinter& printer);
