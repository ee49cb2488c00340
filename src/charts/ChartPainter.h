#pragma once

#include "charts/ChartModel.h"

#include <QList>
#include <QPointF>
#include <QRectF>

#include <optional>

class QPainter;

// An axis: its two ends in axis units and the distance of its labelled ticks.
struct AxisScale {
    double min = 0;
    double max = 1;
    double step = 1;
    int decimals = 0;

    QList<double> ticks() const;
    QString label(double value) const;
};

// A readable scale over [lo, hi] with about `targetTicks` ticks at 1, 2 or 5 times a power
// of ten. When `roundEnds` is set the ends move out to the next tick.
AxisScale NiceScale(double lo, double hi, int targetTicks, bool roundEnds = true);

// Where the front plane of a painted chart lies and what its axes show: the widget turns
// mouse positions into axis values with it (zoom and scroll).
struct ChartGeometry {
    QRectF front; // device rectangle of the plot's front face
    AxisScale x;
    AxisScale y;

    QPointF valueAt(const QPointF& pixel) const;
};

ChartGeometry ChartFrontGeometry(const ChartModel& model, const QRectF& rect);

// Paints the whole chart (background, title, legend, axes, walls, series) into `rect`.
void PaintChart(QPainter& painter, const ChartModel& model, const QRectF& rect);

// Where the mark of point `pointIndex` of series `seriesIndex` is drawn in `rect`: the
// centre of a bar's front face, of a point marker's front, of an area's front just below the
// point, or the point of a line. Empty when that series or point is not drawn.
std::optional<QPointF> ChartMarkPosition(const ChartModel& model, const QRectF& rect,
                                         int seriesIndex, int pointIndex);
