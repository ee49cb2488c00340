#pragma once

#include <QPoint>
#include <QWidget>

struct ChartModel;

// A chart on screen. Paints its model with the chart painter and follows every change of
// the estimation charts. Dragging a rectangle with the left button to the right and down
// zooms into it, dragging to the left or up undoes zoom and scroll; dragging with the right
// button scrolls. No hints.
class ChartView : public QWidget {
    Q_OBJECT
public:
    // The model is not owned and must outlive the view (the estimation charts are
    // process-wide). The view takes the model's name as its object name.
    explicit ChartView(ChartModel* model, QWidget* parent = nullptr);

    ChartModel* model() const { return chart; }
    void undoZoom();
    // Shows or hides the view as the model says, and repaints.
    void refresh();

    QSize sizeHint() const override { return {640, 400}; }
    QSize minimumSizeHint() const override { return {160, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    enum class Drag { None, Zoom, Scroll };
    ChartModel* chart;
    Drag drag = Drag::None;
    QPoint dragStart;
    QPoint dragNow;
    bool followVisibility = true;

public:
    // The duty chart is always shown; graph charts show only when their model says so.
    void setFollowVisibility(bool follow) { followVisibility = follow; }
};
