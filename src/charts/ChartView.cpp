#include "charts/ChartView.h"

#include "charts/ChartModel.h"
#include "charts/ChartPainter.h"
#include "charts/EstimationCharts.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

constexpr int MinimumDrag = 4; // pixels; smaller drags are clicks

} // namespace

ChartView::ChartView(ChartModel* model, QWidget* parent) : QWidget(parent), chart(model) {
    setObjectName(model->name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setToolTip(QString());
    connect(&ChartSignals::instance(), &ChartSignals::changed, this, &ChartView::refresh);
}

void ChartView::refresh() {
    if (followVisibility && chart->visible == isHidden())
        setVisible(chart->visible);
    update();
}

void ChartView::undoZoom() {
    chart->undoZoom();
    update();
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintChart(painter, *chart, QRectF(rect()));
    if (drag == Drag::Zoom) {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(dragStart, dragNow).normalized());
    }
}

void ChartView::resizeEvent(QResizeEvent* event) {
    chart->size = size();
    QWidget::resizeEvent(event);
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && chart->allowZoom)
        drag = Drag::Zoom;
    else if (event->button() == Qt::RightButton && chart->allowScroll)
        drag = Drag::Scroll;
    else
        return QWidget::mousePressEvent(event);
    dragStart = dragNow = event->position().toPoint();
    event->accept();
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    if (drag == Drag::None)
        return QWidget::mouseMoveEvent(event);
    const QPoint now = event->position().toPoint();
    if (drag == Drag::Scroll) {
        // Move the visible window by the mouse's way, so the chart follows the mouse.
        const ChartGeometry g = ChartFrontGeometry(*chart, QRectF(rect()));
        const QPointF a = g.valueAt(dragNow), b = g.valueAt(now);
        const double dx = a.x() - b.x(), dy = a.y() - b.y();
        if (std::isfinite(dx) && std::isfinite(dy)) {
            chart->zoomX = AxisRange{g.x.min + dx, g.x.max + dx};
            chart->zoomY = AxisRange{g.y.min + dy, g.y.max + dy};
        }
    }
    dragNow = now;
    update();
    event->accept();
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (drag == Drag::None)
        return QWidget::mouseReleaseEvent(event);
    const Drag was = drag;
    drag = Drag::None;
    dragNow = event->position().toPoint();
    if (was == Drag::Zoom) {
        const QPoint d = dragNow - dragStart;
        if (d.x() < -MinimumDrag || d.y() < -MinimumDrag) {
            chart->undoZoom();
        } else if (d.x() > MinimumDrag && d.y() > MinimumDrag) {
            const ChartGeometry g = ChartFrontGeometry(*chart, QRectF(rect()));
            const QPointF a = g.valueAt(dragStart), b = g.valueAt(dragNow);
            if (std::isfinite(a.x()) && std::isfinite(b.x()) && std::abs(b.x() - a.x()) > 1e-9 &&
                std::abs(b.y() - a.y()) > 1e-9) {
                chart->zoomX = AxisRange{std::min(a.x(), b.x()), std::max(a.x(), b.x())};
                chart->zoomY = AxisRange{std::min(a.y(), b.y()), std::max(a.y(), b.y())};
            }
        }
    }
    update();
    event->accept();
}

bool ChartView::event(QEvent* event) {
    // The charts never show a hint.
    if (event->type() == QEvent::ToolTip) {
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}
