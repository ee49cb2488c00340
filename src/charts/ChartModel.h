#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>

#include <optional>

// The chart component: a chart is plain data (this model) painted by PaintChart onto any
// QPainter device. The widget, the printer, the report pictures and the command line all
// draw through the same painter.

enum class SeriesKind {
    Area,     // filled below the line, no markers
    Line,     // line, no markers
    HorizBar, // horizontal bars: x is the value, y the category (flow)
    Point,    // square markers, no line
    Bar,      // vertical bars
    FastLine, // plain polyline, no markers, no 3-D ribbon
};

struct ChartSeries {
    QString name; // object name (DutySeries1, ...)
    SeriesKind kind = SeriesKind::Bar;
    QColor color = Qt::red;
    QString title;
    bool active = true;
    bool inLegend = true;
    QList<QPointF> points;                  // (x, y) in axis units
    Qt::BrushStyle fill = Qt::SolidPattern; // bars and point markers
    int penWidth = 1;                       // lines
    bool gradient = false;                  // bars shaded from the top down
};

// 3-D view settings of one chart.
struct ChartView3D {
    bool enabled = true;
    int depth = 15;         // percent of the plot width, 1..100
    bool orthogonal = true; // oblique projection; off: rotated with perspective
    int rotation = 345;     // degrees, 270 (side-on) .. 360 (face-on)
};

// An axis range in axis units.
struct AxisRange {
    double min = 0;
    double max = 0;
};

struct ChartModel {
    QString name; // object name of the view (Chart1 .. Chart6, DutyChart)
    QString title;
    QString leftAxisTitle;
    QString bottomAxisTitle;
    QList<ChartSeries> series;
    ChartView3D view;
    QColor background = Qt::white;
    QColor backWall = Qt::white;
    bool backWallTransparent = true;
    QColor leftWall = QColor(192, 192, 192);
    bool legendVisible = true;
    bool axisLabels = true; // tick labels (off for thumbnails)
    bool legendDividers = true;
    // Fixed axis ends; unset means automatic.
    std::optional<AxisRange> bottomFixed;
    std::optional<double> leftFixedMin;
    double rightMarginPercent = 0; // extra space right of the plot, percent of the width
    // Zoom and scroll: the visible window in axis units; unset shows everything.
    std::optional<AxisRange> zoomX;
    std::optional<AxisRange> zoomY;
    bool allowZoom = true;
    bool allowScroll = true;
    bool visible = true;
    QSize size = QSize(640, 400); // the chart's area on screen, used for pictures

    ChartSeries& operator[](int index) { return series[index]; }
    const ChartSeries& operator[](int index) const { return series[index]; }
    int seriesCount() const { return static_cast<int>(series.size()); }
    void clearPoints() {
        for (ChartSeries& s : series)
            s.points.clear();
    }
    void undoZoom() {
        zoomX.reset();
        zoomY.reset();
    }
};
