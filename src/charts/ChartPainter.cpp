#include "charts/ChartPainter.h"

#include "core/SharedState.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Cos45 = 0.70710678118654752;
constexpr double Elevation = 12.0; // degrees the rotated view looks down onto the floor

bool isBarKind(SeriesKind kind) {
    return kind == SeriesKind::Bar || kind == SeriesKind::HorizBar;
}

// Whether the series' fill brush (pattern) shows: bars and point markers.
bool usesFill(SeriesKind kind) {
    return isBarKind(kind) || kind == SeriesKind::Point;
}

bool drawable(const ChartSeries& s) {
    return s.active && !s.points.isEmpty();
}

double safeSpan(const AxisScale& s) {
    const double span = s.max - s.min;
    return std::abs(span) < 1e-12 ? 1.0 : span;
}

// ---------------------------------------------------------------------------------------
// Layout: everything outside the plot (title, legend, axis titles, label space).

struct Layout {
    double u = 1; // size unit: 1 at 800 x 500
    QFont titleFont;
    QFont textFont;
    QRectF rect;
    QRectF titleRect;
    QRectF legendRect;
    QRectF leftTitleRect; // before rotation: centre and height used
    QRectF bottomTitleRect;
    QRectF plot; // room for the plot including its 3-D depth
    AxisScale xs;
    AxisScale ys;
    bool xCategories = false; // bars stand on the x values
    bool yCategories = false;
    double xSpacing = 0; // smallest distance of the category values, axis units
    double ySpacing = 0;
    QList<int> legendItems;
    double legendLine = 0;
    double tick = 4;
};

QFont chartFont(double pixelSize, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(6, static_cast<int>(std::lround(pixelSize))));
    font.setBold(bold);
    return font;
}

double smallestSpacing(QList<double> values) {
    std::sort(values.begin(), values.end());
    double best = std::numeric_limits<double>::infinity();
    for (qsizetype i = 1; i < values.size(); ++i) {
        const double d = values[i] - values[i - 1];
        if (d > 1e-9)
            best = std::min(best, d);
    }
    return std::isfinite(best) ? best : 1.0;
}

void computeScales(const ChartModel& m, Layout& l, int xTicks, int yTicks) {
    double xlo = std::numeric_limits<double>::infinity(), xhi = -xlo;
    double ylo = xlo, yhi = -xlo;
    QList<double> xCats, yCats;
    bool any = false;
    for (const ChartSeries& s : m.series) {
        if (!drawable(s))
            continue;
        for (const QPointF& p : s.points) {
            if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
                continue;
            any = true;
            xlo = std::min(xlo, p.x());
            xhi = std::max(xhi, p.x());
            ylo = std::min(ylo, p.y());
            yhi = std::max(yhi, p.y());
            if (s.kind == SeriesKind::Bar)
                xCats << p.x();
            if (s.kind == SeriesKind::HorizBar)
                yCats << p.y();
        }
        if (s.kind == SeriesKind::Bar || s.kind == SeriesKind::Area) {
            ylo = std::min(ylo, 0.0);
            yhi = std::max(yhi, 0.0);
        }
        if (s.kind == SeriesKind::HorizBar) {
            xlo = std::min(xlo, 0.0);
            xhi = std::max(xhi, 0.0);
        }
    }
    if (!any) {
        xlo = 0;
        xhi = 100;
        ylo = 0;
        yhi = 1;
    }
    l.xCategories = !xCats.isEmpty();
    l.yCategories = !yCats.isEmpty();
    l.xSpacing = l.xCategories ? smallestSpacing(xCats) : 0;
    l.ySpacing = l.yCategories ? smallestSpacing(yCats) : 0;

    // Bottom axis.
    if (m.zoomX) {
        l.xs = NiceScale(m.zoomX->min, m.zoomX->max, xTicks, false);
    } else if (m.bottomFixed) {
        l.xs = NiceScale(m.bottomFixed->min, m.bottomFixed->max, xTicks, false);
    } else if (l.xCategories) {
        l.xs = NiceScale(xlo, xhi, xTicks, false);
        l.xs.min = xlo - l.xSpacing / 2;
        l.xs.max = xhi + l.xSpacing / 2;
    } else {
        l.xs = NiceScale(xlo, xhi, xTicks, true);
    }
    // Left axis.
    if (m.zoomY) {
        l.ys = NiceScale(m.zoomY->min, m.zoomY->max, yTicks, false);
    } else if (l.yCategories) {
        l.ys = NiceScale(ylo, yhi, yTicks, false);
        l.ys.min = ylo - l.ySpacing / 2;
        l.ys.max = yhi + l.ySpacing / 2;
    } else {
        const double lo = m.leftFixedMin ? std::min(*m.leftFixedMin, yhi) : ylo;
        l.ys = NiceScale(lo, std::max(yhi, lo), yTicks, true);
        if (m.leftFixedMin)
            l.ys.min = *m.leftFixedMin;
    }
}

Layout computeLayout(const ChartModel& m, const QRectF& rect) {
    Layout l;
    l.rect = rect;
    l.u = std::max(0.75, std::sqrt(std::max(1.0, rect.width() * rect.height()) / (800.0 * 500.0)));
    const double u = l.u;
    l.titleFont = chartFont(14 * u, true);
    l.textFont = chartFont(11 * u, false);
    l.tick = 4 * u;
    const QFontMetricsF tfm(l.titleFont), fm(l.textFont);
    const double pad = 8 * u;

    double top = rect.top() + pad;
    double bottom = rect.bottom() - pad;
    double left = rect.left() + pad;
    double right = rect.right() - pad;

    if (!m.title.isEmpty()) {
        l.titleRect = QRectF(left, top, right - left, tfm.height());
        top += tfm.height() + pad;
    }

    if (m.legendVisible) {
        for (int i = 0; i < m.seriesCount(); ++i)
            if (m.series[i].active && m.series[i].inLegend)
                l.legendItems << i;
    }
    if (!l.legendItems.isEmpty()) {
        double textWidth = 0;
        for (int i : l.legendItems)
            textWidth = std::max(textWidth, fm.horizontalAdvance(m.series[i].title));
        l.legendLine = fm.height() + 6 * u;
        const double width = 3 * pad + 16 * u + textWidth;
        const double height = l.legendLine * l.legendItems.size();
        const double y = top + std::max(0.0, (bottom - top - height) / 2);
        l.legendRect = QRectF(right - width, y, width, height);
        right -= width + pad;
    }
    right -= rect.width() * std::clamp(m.rightMarginPercent, 0.0, 50.0) / 100.0;

    if (!m.bottomAxisTitle.isEmpty()) {
        l.bottomTitleRect = QRectF(left, bottom - fm.height(), right - left, fm.height());
        bottom -= fm.height() + pad / 2;
    }
    if (!m.leftAxisTitle.trimmed().isEmpty()) {
        l.leftTitleRect = QRectF(left, top, fm.height(), bottom - top);
        left += fm.height() + pad / 2;
    }
    if (m.axisLabels) {
        bottom -= fm.height() + l.tick + 2 * u; // bottom labels
        top += fm.height() / 2;                 // half of the top label
    }

    const int yTicks = std::clamp(static_cast<int>((bottom - top) / (fm.height() * 2.2)), 2, 10);
    computeScales(m, l, 10, yTicks);
    if (!m.axisLabels) {
        l.plot = QRectF(QPointF(left, top),
                        QPointF(std::max(left + 10, right), std::max(top + 10, bottom)));
        return l;
    }
    double labelWidth = 0;
    for (double t : l.ys.ticks())
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(l.ys.label(t)));
    left += labelWidth + l.tick + 3 * u;
    // The last bottom label is centred on the right end.
    double lastWidth = 0;
    const QList<double> xt = l.xs.ticks();
    if (!xt.isEmpty())
        lastWidth = fm.horizontalAdvance(l.xs.label(xt.last()));
    right -= lastWidth / 2;
    // Fewer bottom ticks when their labels would touch.
    double widest = 0;
    for (double t : xt)
        widest = std::max(widest, fm.horizontalAdvance(l.xs.label(t)));
    const int xTicks = std::clamp(static_cast<int>((right - left) / (widest + 12 * u)), 2, 10);
    if (xTicks < 10)
        computeScales(m, l, xTicks, yTicks);

    l.plot =
        QRectF(QPointF(left, top), QPointF(std::max(left + 10, right), std::max(top + 10, bottom)));
    return l;
}

// ---------------------------------------------------------------------------------------
// Projection of the plot box. World: x to the right, y up, z from the front (0) to the back.

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

struct Projection {
    enum Mode { Flat, Oblique, Perspective } mode = Flat;
    double W = 1, H = 1, D = 0;
    // oblique
    QPointF origin;
    // perspective
    double ct = 1, st = 0, ce = 1, se = 0, f = 1, k = 1;
    double bx = 0, by = 0; // centre of the projected box before fitting
    QPointF target;
    Vec3 camera;

    void view(double x, double y, double z, double& X, double& Y, double& Z) const {
        const double px = x - W / 2, py = y - H / 2, pz = z - D / 2;
        X = px * ct + pz * st;
        const double zr = -px * st + pz * ct;
        Y = py * ce + zr * se;
        Z = zr * ce - py * se;
    }
    QPointF raw(double x, double y, double z) const {
        double X, Y, Z;
        view(x, y, z, X, Y, Z);
        const double s = f / std::max(f * 0.05, f + Z);
        return {X * s, Y * s};
    }
    QPointF map(double x, double y, double z) const {
        if (mode == Perspective) {
            const QPointF r = raw(x, y, z);
            return {target.x() + k * (r.x() - bx), target.y() - k * (r.y() - by)};
        }
        return {origin.x() + x + z * Cos45, origin.y() - y - z * Cos45};
    }
    QPointF map(const Vec3& v) const { return map(v.x, v.y, v.z); }
    // Larger is farther from the viewer.
    double depth(double x, double y, double z) const {
        if (mode == Perspective) {
            double X, Y, Z;
            view(x, y, z, X, Y, Z);
            return Z;
        }
        return z - 0.01 * x - 0.01 * y;
    }
    // The viewer's position; far away for the oblique view.
    Vec3 eye() const {
        if (mode == Perspective)
            return camera;
        return {1e9 * Cos45, 1e9 * Cos45, -1e9};
    }
    bool faces(const Vec3& n, const Vec3& p) const {
        if (mode == Perspective) {
            const double dx = camera.x - p.x, dy = camera.y - p.y, dz = camera.z - p.z;
            return n.x * dx + n.y * dy + n.z * dz > 1e-9;
        }
        if (mode == Oblique)
            return n.x * Cos45 + n.y * Cos45 - n.z > 1e-9;
        return n.z < 0;
    }
};

Projection makeProjection(const ChartModel& m, const Layout& l) {
    Projection pr;
    const QRectF& P = l.plot;
    const bool threeD = m.view.enabled;
    const double d = std::clamp(m.view.depth, 1, 100) / 100.0;
    if (!threeD) {
        pr.mode = Projection::Flat;
        pr.W = P.width();
        pr.H = P.height();
        pr.D = 0;
        pr.origin = P.bottomLeft();
        return pr;
    }
    if (m.view.orthogonal) {
        pr.mode = Projection::Oblique;
        double W = P.width() / (1 + d * Cos45);
        double D = d * W;
        if (D * Cos45 > 0.5 * P.height()) {
            D = 0.5 * P.height() / Cos45;
            W = P.width() - D * Cos45;
        }
        pr.W = W;
        pr.D = D;
        pr.H = P.height() - D * Cos45;
        pr.origin = P.bottomLeft();
        return pr;
    }
    pr.mode = Projection::Perspective;
    pr.W = P.width();
    pr.H = P.height();
    pr.D = d * P.width();
    const double theta = (360 - std::clamp(m.view.rotation, 270, 360)) * Pi / 180.0;
    const double phi = Elevation * Pi / 180.0;
    pr.ct = std::cos(theta);
    pr.st = std::sin(theta);
    pr.ce = std::cos(phi);
    pr.se = std::sin(phi);
    pr.f = 3.0 * std::max({pr.W, pr.H, pr.D});
    pr.camera = {pr.W / 2 + pr.f * pr.ce * pr.st, pr.H / 2 + pr.f * pr.se,
                 pr.D / 2 - pr.f * pr.ce * pr.ct};
    double minX = std::numeric_limits<double>::infinity(), maxX = -minX, minY = minX, maxY = -minX;
    for (int c = 0; c < 8; ++c) {
        const QPointF r = pr.raw(c & 1 ? pr.W : 0, c & 2 ? pr.H : 0, c & 4 ? pr.D : 0);
        minX = std::min(minX, r.x());
        maxX = std::max(maxX, r.x());
        minY = std::min(minY, r.y());
        maxY = std::max(maxY, r.y());
    }
    pr.k =
        std::min(P.width() / std::max(1e-9, maxX - minX), P.height() / std::max(1e-9, maxY - minY));
    pr.bx = (minX + maxX) / 2;
    pr.by = (minY + maxY) / 2;
    pr.target = P.center();
    return pr;
}

// ---------------------------------------------------------------------------------------
// Fills.

struct Fill {
    QColor color;
    Qt::BrushStyle style = Qt::SolidPattern;
    bool gradient = false;
};

// Twice the signed area; 0 for a polygon that is not convex (or degenerate).
double convexOrientation(const QPolygonF& poly) {
    const qsizetype n = poly.size();
    if (n < 3)
        return 0;
    double area = 0;
    int sign = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF a = poly[i], b = poly[(i + 1) % n], c = poly[(i + 2) % n];
        const double cross = (b.x() - a.x()) * (c.y() - b.y()) - (b.y() - a.y()) * (c.x() - b.x());
        if (std::abs(cross) > 1e-9) {
            const int s = cross > 0 ? 1 : -1;
            if (sign != 0 && s != sign)
                return 0;
            sign = s;
        }
        area += a.x() * b.y() - b.x() * a.y();
    }
    return std::abs(area) < 1e-9 ? 0 : area;
}

// Cuts the segment a-b to the convex polygon; false when nothing of it is inside.
bool clipToConvex(const QPolygonF& poly, double orientation, QPointF& a, QPointF& b) {
    const QPointF d = b - a;
    double t0 = 0, t1 = 1;
    const double sign = orientation > 0 ? 1 : -1;
    for (qsizetype i = 0; i < poly.size(); ++i) {
        const QPointF v = poly[i], e = poly[(i + 1) % poly.size()] - v;
        const QPointF inward(-e.y() * sign, e.x() * sign);
        const double num = inward.x() * (a.x() - v.x()) + inward.y() * (a.y() - v.y());
        const double den = inward.x() * d.x() + inward.y() * d.y();
        if (std::abs(den) < 1e-12) {
            if (num < 0)
                return false;
            continue;
        }
        const double t = -num / den;
        if (den > 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = start + t0 * d;
    b = start + t1 * d;
    return true;
}

// Hatch lines drawn as lines, not as a pattern brush: pattern brushes are bitmaps in device
// pixels, which on a printer or in a PDF shrink to a grey haze. The lines keep the spacing
// of the screen's hatch (8 units at the chart's size unit) on every device. Bars and markers
// are convex and get their lines cut exactly; anything else is clipped by the painter.
void drawHatch(QPainter& p, const QPolygonF& poly, const QColor& color, Qt::BrushStyle style,
               double u) {
    const bool horizontal = style == Qt::HorPattern || style == Qt::CrossPattern;
    const bool vertical = style == Qt::VerPattern || style == Qt::CrossPattern;
    const bool rising = style == Qt::BDiagPattern || style == Qt::DiagCrossPattern;  // "/"
    const bool falling = style == Qt::FDiagPattern || style == Qt::DiagCrossPattern; // "\\"
    const QRectF box = poly.boundingRect();
    if (box.isEmpty())
        return;
    const double step = 8 * u;
    const double left = box.left(), right = box.right(), top = box.top(), bottom = box.bottom();
    constexpr int MaxLines = 4000; // a huge polygon still ends
    QList<QLineF> lines;
    auto add = [&](QPointF a, QPointF b) {
        if (lines.size() < MaxLines)
            lines.append(QLineF(a, b));
    };
    if (horizontal)
        for (double y = std::ceil(top / step) * step; y <= bottom && lines.size() < MaxLines;
             y += step)
            add({left, y}, {right, y});
    if (vertical)
        for (double x = std::ceil(left / step) * step; x <= right && lines.size() < MaxLines;
             x += step)
            add({x, top}, {x, bottom});
    if (rising) // x + y = k
        for (double k = std::ceil((left + top) / step) * step;
             k <= right + bottom && lines.size() < MaxLines; k += step)
            add({k - bottom, bottom}, {k - top, top});
    if (falling) // y - x = k
        for (double k = std::ceil((top - right) / step) * step;
             k <= bottom - left && lines.size() < MaxLines; k += step)
            add({top - k, top}, {bottom - k, bottom});

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(color, std::max(1.0, 0.75 * u), Qt::SolidLine, Qt::FlatCap));
    const double orientation = convexOrientation(poly);
    if (orientation != 0) {
        QList<QLineF> cut;
        cut.reserve(lines.size());
        for (const QLineF& line : lines) {
            QPointF a = line.p1(), b = line.p2();
            if (clipToConvex(poly, orientation, a, b))
                cut.append(QLineF(a, b));
        }
        p.drawLines(cut);
    } else {
        QPainterPath clip;
        clip.addPolygon(poly);
        clip.closeSubpath();
        p.setClipPath(clip, Qt::IntersectClip);
        p.drawLines(lines);
    }
    p.restore();
}

void fillPolygon(QPainter& p, const QPolygonF& poly, const Fill& fill, const QPen& outline,
                 double u) {
    p.setPen(Qt::NoPen);
    if (fill.style != Qt::SolidPattern && fill.style != Qt::NoBrush) {
        // A hatch on white, so that it reads on a black-and-white printer.
        p.setBrush(Qt::white);
        p.drawPolygon(poly);
        drawHatch(p, poly, fill.color, fill.style, u);
        p.setBrush(Qt::NoBrush);
    } else if (fill.gradient) {
        const QRectF box = poly.boundingRect();
        QLinearGradient g(box.topLeft(), box.bottomLeft());
        g.setColorAt(0, fill.color.darker(135));
        g.setColorAt(1, fill.color.lighter(170));
        p.setBrush(g);
    } else {
        p.setBrush(fill.color);
    }
    p.setPen(outline);
    p.drawPolygon(poly);
}

QColor shade(const QColor& c, int factor) {
    if (factor == 100)
        return c;
    return factor > 100 ? c.lighter(factor) : c.darker(100 * 100 / factor);
}

// ---------------------------------------------------------------------------------------
// 3-D scene: primitives sorted back to front.

struct Face {
    QPolygonF poly;
    Fill fill;
    bool outline = true;
    QColor edge; // invalid: black
};

// Drawn farthest first. The primitives of the scene are boxes and ribbons in a grid (slices
// of the depth, categories along x or y) that never intersect, so a plane between two of
// them always exists along z, x or y; ordering by the distance from the camera along those
// axes, slice first, draws whichever of two overlapping primitives is nearer last.
struct SortKey {
    double slice = 0;
    double primary = 0;
    double secondary = 0;
    bool operator>(const SortKey& o) const {
        if (slice != o.slice)
            return slice > o.slice;
        if (primary != o.primary)
            return primary > o.primary;
        return secondary > o.secondary;
    }
};

struct Primitive {
    SortKey depth;
    std::vector<Face> faces;
    QPolygonF polyline; // a fast line segment
    QColor lineColor;
    double lineWidth = 0;
};

struct Scene {
    const Projection& pr;
    std::vector<Primitive> prims;
    double sliceCentre = 0; // z centre of the slice being built
    bool acrossY = false;   // categories lie along y (horizontal bars)

    SortKey key(double x, double y) const {
        const Vec3 eye = pr.eye();
        const double dx = std::abs(x - eye.x), dy = std::abs(y - eye.y);
        return {std::abs(sliceCentre - eye.z), acrossY ? dy : dx, acrossY ? dx : dy};
    }

    QPolygonF quad(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d) const {
        QPolygonF poly;
        poly.reserve(4);
        poly << pr.map(a) << pr.map(b) << pr.map(c) << pr.map(d);
        return poly;
    }

    void block(double x0, double x1, double y0, double y1, double z0, double z1, const Fill& fill) {
        if (x1 < x0)
            std::swap(x0, x1);
        if (y1 < y0)
            std::swap(y0, y1);
        Primitive prim;
        prim.depth = key((x0 + x1) / 2, (y0 + y1) / 2);
        auto add = [&](const Vec3& n, const Vec3& at, QPolygonF poly, int light) {
            if (!pr.faces(n, at))
                return;
            Fill f = fill;
            f.color = shade(fill.color, light);
            f.gradient = fill.gradient && light == 100;
            prim.faces.push_back({std::move(poly), f, true, QColor()});
        };
        const double xm = (x0 + x1) / 2, ym = (y0 + y1) / 2, zm = (z0 + z1) / 2;
        add({0, 0, 1}, {xm, ym, z1}, quad({x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}),
            80);
        add({0, -1, 0}, {xm, y0, zm}, quad({x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}),
            60);
        add({-1, 0, 0}, {x0, ym, zm}, quad({x0, y0, z0}, {x0, y1, z0}, {x0, y1, z1}, {x0, y0, z1}),
            75);
        add({1, 0, 0}, {x1, ym, zm}, quad({x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}),
            75);
        add({0, 1, 0}, {xm, y1, zm}, quad({x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}),
            135);
        add({0, 0, -1}, {xm, ym, z0}, quad({x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0}),
            100);
        if (!prim.faces.empty())
            prims.push_back(std::move(prim));
    }

    // Line ribbons (area == false) or area slabs (area == true) in the slice z0..z1.
    void ribbon(const QList<QPointF>& pts, double z0, double z1, const QColor& color, bool area) {
        if (pts.isEmpty())
            return;
        std::vector<Face> tops;
        std::vector<double> topDepth;
        for (qsizetype i = 0; i + 1 < pts.size(); ++i) {
            const QPointF a = pts[i], b = pts[i + 1];
            const Vec3 n{-(b.y() - a.y()), b.x() - a.x(), 0};
            const Vec3 mid{(a.x() + b.x()) / 2, (a.y() + b.y()) / 2, (z0 + z1) / 2};
            const bool up = pr.faces(n, mid);
            if (area && !up)
                continue;
            // A ribbon seen almost edge-on is a sliver: edged in its own colour it still reads
            // as the line.
            Face face{quad({a.x(), a.y(), z0}, {b.x(), b.y(), z0}, {b.x(), b.y(), z1},
                           {a.x(), a.y(), z1}),
                      {shade(color, up ? 130 : 70), Qt::SolidPattern, false},
                      true,
                      area ? QColor() : shade(color, 60)};
            if (area) {
                tops.push_back(std::move(face));
                topDepth.push_back(pr.depth(mid.x, mid.y, mid.z));
            } else {
                Primitive prim;
                prim.depth = key(mid.x, mid.y);
                prim.faces.push_back(std::move(face));
                prims.push_back(std::move(prim));
            }
        }
        if (!area)
            return;
        Primitive slab;
        slab.depth = key((pts.first().x() + pts.last().x()) / 2, 0);
        std::vector<size_t> order(tops.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(),
                  [&](size_t a, size_t b) { return topDepth[a] > topDepth[b]; });
        for (size_t i : order)
            slab.faces.push_back(tops[i]);
        const QPointF first = pts.first(), last = pts.last();
        const Fill side{shade(color, 75), Qt::SolidPattern, false};
        if (pr.faces({1, 0, 0}, {last.x(), last.y() / 2, (z0 + z1) / 2}))
            slab.faces.push_back({quad({last.x(), 0, z0}, {last.x(), last.y(), z0},
                                       {last.x(), last.y(), z1}, {last.x(), 0, z1}),
                                  side, true, QColor()});
        if (pr.faces({-1, 0, 0}, {first.x(), first.y() / 2, (z0 + z1) / 2}))
            slab.faces.push_back({quad({first.x(), 0, z0}, {first.x(), first.y(), z0},
                                       {first.x(), first.y(), z1}, {first.x(), 0, z1}),
                                  side, true, QColor()});
        if (pr.faces({0, 0, -1}, {first.x(), 0, z0})) {
            QPolygonF front;
            front << pr.map(first.x(), 0, z0);
            for (const QPointF& p : pts)
                front << pr.map(p.x(), p.y(), z0);
            front << pr.map(last.x(), 0, z0);
            slab.faces.push_back({front, {color, Qt::SolidPattern, false}, true, QColor()});
        }
        prims.push_back(std::move(slab));
    }

    void fastLine(const QList<QPointF>& pts, double z, const QColor& color, double width) {
        for (qsizetype i = 0; i + 1 < pts.size(); ++i) {
            Primitive prim;
            const QPointF a = pts[i], b = pts[i + 1];
            prim.depth = key((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
            prim.polyline << pr.map(a.x(), a.y(), z) << pr.map(b.x(), b.y(), z);
            prim.lineColor = color;
            prim.lineWidth = width;
            prims.push_back(std::move(prim));
        }
    }

    void draw(QPainter& p, double u) {
        std::stable_sort(prims.begin(), prims.end(),
                         [](const Primitive& a, const Primitive& b) { return a.depth > b.depth; });
        const QPen outline(QColor(0, 0, 0), std::max(1.0, 0.75 * u));
        for (const Primitive& prim : prims) {
            for (const Face& face : prim.faces) {
                QPen pen = outline;
                if (!face.outline)
                    pen = QPen(Qt::NoPen);
                else if (face.edge.isValid())
                    pen.setColor(face.edge);
                fillPolygon(p, face.poly, face.fill, pen, u);
            }
            if (!prim.polyline.isEmpty()) {
                p.setPen(QPen(prim.lineColor, prim.lineWidth, Qt::SolidLine, Qt::RoundCap));
                p.drawPolyline(prim.polyline);
            }
        }
    }
};

// ---------------------------------------------------------------------------------------

struct Mapper {
    const Layout& l;
    double W, H;
    double wx(double v) const { return (v - l.xs.min) / safeSpan(l.xs) * W; }
    double wy(double v) const { return (v - l.ys.min) / safeSpan(l.ys) * H; }
    QPointF world(const QPointF& p) const { return {wx(p.x()), wy(p.y())}; }
};

bool finitePoint(const QPointF& p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

QList<QPointF> worldPoints(const ChartSeries& s, const Mapper& mp, double clampW, double clampH) {
    QList<QPointF> out;
    out.reserve(s.points.size());
    for (const QPointF& p : s.points) {
        if (!finitePoint(p))
            continue;
        const QPointF w = mp.world(p);
        out << QPointF(std::clamp(w.x(), 0.0, clampW), std::clamp(w.y(), 0.0, clampH));
    }
    return out;
}

void drawWalls(QPainter& p, const Projection& pr, const ChartModel& m, const Layout& l) {
    const double W = pr.W, H = pr.H, D = pr.D;
    const QPen edge(QColor(128, 128, 128), std::max(1.0, 0.75 * l.u));
    const QPen grid(QColor(215, 215, 215), std::max(1.0, 0.5 * l.u), Qt::SolidLine);
    auto poly = [&](std::initializer_list<Vec3> pts) {
        QPolygonF out;
        for (const Vec3& v : pts)
            out << pr.map(v);
        return out;
    };
    if (pr.mode != Projection::Flat) {
        p.setPen(edge);
        p.setBrush(m.leftWall);
        p.drawPolygon(poly({{0, 0, 0}, {0, H, 0}, {0, H, D}, {0, 0, D}}));
        p.setBrush(QColor(232, 232, 232));
        p.drawPolygon(poly({{0, 0, 0}, {W, 0, 0}, {W, 0, D}, {0, 0, D}}));
    }
    p.setPen(edge);
    if (m.backWallTransparent)
        p.setBrush(Qt::NoBrush);
    else
        p.setBrush(m.backWall);
    p.drawPolygon(poly({{0, 0, D}, {W, 0, D}, {W, H, D}, {0, H, D}}));

    Mapper mp{l, W, H};
    p.setPen(grid);
    for (double t : l.ys.ticks()) {
        const double y = mp.wy(t);
        if (y < 0.5 || y > H - 0.5)
            continue;
        p.drawLine(pr.map(0, y, D), pr.map(W, y, D));
        if (D > 0)
            p.drawLine(pr.map(0, y, 0), pr.map(0, y, D));
    }
    for (double t : l.xs.ticks()) {
        const double x = mp.wx(t);
        if (x < 0.5 || x > W - 0.5)
            continue;
        p.drawLine(pr.map(x, 0, D), pr.map(x, H, D));
        if (D > 0)
            p.drawLine(pr.map(x, 0, 0), pr.map(x, 0, D));
    }
}

// Returns where the left labels begin, so the axis title can stand beside them.
double drawAxes(QPainter& p, const Projection& pr, const Layout& l, bool labels) {
    double leftmost = std::numeric_limits<double>::infinity();
    const QFontMetricsF fm(l.textFont);
    p.setFont(l.textFont);
    const QPen axis(Qt::black, std::max(1.0, l.u));
    Mapper mp{l, pr.W, pr.H};
    p.setPen(axis);
    p.drawLine(pr.map(0, 0, 0), pr.map(0, pr.H, 0));
    p.drawLine(pr.map(0, 0, 0), pr.map(pr.W, 0, 0));
    for (double t : l.ys.ticks()) {
        const double y = mp.wy(t);
        if (y < -0.5 || y > pr.H + 0.5)
            continue;
        const QPointF at = pr.map(0, y, 0);
        p.drawLine(at, at - QPointF(l.tick, 0));
        if (!labels)
            continue;
        const QString text = l.ys.label(t);
        const double w = fm.horizontalAdvance(text);
        const double x = at.x() - l.tick - 2 * l.u - w - 2;
        leftmost = std::min(leftmost, x);
        p.drawText(QRectF(x, at.y() - fm.height() / 2, w + 2, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, text);
    }
    for (double t : l.xs.ticks()) {
        const double x = mp.wx(t);
        if (x < -0.5 || x > pr.W + 0.5)
            continue;
        const QPointF at = pr.map(x, 0, 0);
        p.drawLine(at, at + QPointF(0, l.tick));
        if (!labels)
            continue;
        const QString text = l.xs.label(t);
        const double w = fm.horizontalAdvance(text) + 2;
        p.drawText(QRectF(at.x() - w / 2, at.y() + l.tick + l.u, w, fm.height()),
                   Qt::AlignHCenter | Qt::AlignTop, text);
    }
    return leftmost;
}

// Slices of the depth: one per drawable series, in series order from the front.
struct Slices {
    QList<int> order; // series index -> slice (or -1)
    int count = 0;
};

Slices makeSlices(const ChartModel& m) {
    Slices s;
    for (const ChartSeries& series : m.series)
        s.order << (drawable(series) ? s.count++ : -1);
    return s;
}

void paintSeries3D(QPainter& p, const ChartModel& m, const Layout& l, const Projection& pr) {
    Scene scene{pr, {}};
    const Slices slices = makeSlices(m);
    const double sliceDepth = slices.count > 0 ? pr.D / slices.count : pr.D;
    Mapper mp{l, pr.W, pr.H};
    const double marker = 4.5 * l.u;
    for (int i = 0; i < m.seriesCount(); ++i) {
        const ChartSeries& s = m.series[i];
        if (slices.order[i] < 0)
            continue;
        const double z0 = slices.order[i] * sliceDepth, z1 = z0 + sliceDepth;
        const double gap = sliceDepth * 0.1;
        const Fill fill{s.color, s.fill, s.gradient};
        scene.sliceCentre = (z0 + z1) / 2;
        scene.acrossY = s.kind == SeriesKind::HorizBar;
        switch (s.kind) {
        case SeriesKind::Bar:
        case SeriesKind::HorizBar: {
            const bool vertical = s.kind == SeriesKind::Bar;
            const double spacing =
                vertical ? l.xSpacing / safeSpan(l.xs) * pr.W : l.ySpacing / safeSpan(l.ys) * pr.H;
            const double half = spacing * 0.35;
            for (const QPointF& pt : s.points) {
                if (!finitePoint(pt))
                    continue;
                const QPointF w = mp.world(pt);
                const double base = vertical ? mp.wy(0) : mp.wx(0);
                if (vertical) {
                    const double x0 = std::max(0.0, w.x() - half),
                                 x1 = std::min(pr.W, w.x() + half);
                    if (x1 <= x0 ||
                        std::abs(std::clamp(w.y(), 0.0, pr.H) - std::clamp(base, 0.0, pr.H)) < 0.5)
                        continue;
                    scene.block(x0, x1, std::clamp(base, 0.0, pr.H), std::clamp(w.y(), 0.0, pr.H),
                                z0 + gap, z1 - gap, fill);
                } else {
                    const double y0 = std::max(0.0, w.y() - half),
                                 y1 = std::min(pr.H, w.y() + half);
                    if (y1 <= y0 ||
                        std::abs(std::clamp(w.x(), 0.0, pr.W) - std::clamp(base, 0.0, pr.W)) < 0.5)
                        continue;
                    scene.block(std::clamp(base, 0.0, pr.W), std::clamp(w.x(), 0.0, pr.W), y0, y1,
                                z0 + gap, z1 - gap, fill);
                }
            }
            break;
        }
        case SeriesKind::Point: {
            const double zm = (z0 + z1) / 2;
            const double dz = std::min(marker, (sliceDepth - 2 * gap) / 2);
            for (const QPointF& pt : s.points) {
                if (!finitePoint(pt))
                    continue;
                const QPointF w = mp.world(pt);
                if (w.x() < -0.5 || w.x() > pr.W + 0.5 || w.y() < -0.5 || w.y() > pr.H + 0.5)
                    continue;
                scene.block(w.x() - marker, w.x() + marker, w.y() - marker, w.y() + marker, zm - dz,
                            zm + dz, fill);
            }
            break;
        }
        case SeriesKind::Area:
        case SeriesKind::Line:
            scene.ribbon(worldPoints(s, mp, pr.W, pr.H), z0 + gap, z1 - gap, s.color,
                         s.kind == SeriesKind::Area);
            break;
        case SeriesKind::FastLine:
            scene.fastLine(worldPoints(s, mp, pr.W, pr.H), (z0 + z1) / 2, s.color,
                           std::max(1, s.penWidth) * l.u);
            break;
        }
    }
    scene.draw(p, l.u);
}

void paintSeries2D(QPainter& p, const ChartModel& m, const Layout& l, const Projection& pr) {
    Mapper mp{l, pr.W, pr.H};
    const QRectF front(pr.origin.x(), pr.origin.y() - pr.H, pr.W, pr.H);
    auto screen = [&](const QPointF& v) {
        const QPointF w = mp.world(v);
        return QPointF(front.left() + w.x(), front.bottom() - w.y());
    };
    p.save();
    p.setClipRect(front.adjusted(-1, -1, 1, 1));
    const QPen outline(Qt::black, std::max(1.0, 0.75 * l.u));
    // Bars of several series stand side by side.
    int barCount = 0, hbarCount = 0;
    for (const ChartSeries& s : m.series) {
        if (!drawable(s))
            continue;
        barCount += s.kind == SeriesKind::Bar;
        hbarCount += s.kind == SeriesKind::HorizBar;
    }
    QList<int> barIndex(m.seriesCount(), 0);
    {
        int b = 0, h = 0;
        for (int i = 0; i < m.seriesCount(); ++i) {
            if (!drawable(m.series[i]))
                continue;
            if (m.series[i].kind == SeriesKind::Bar)
                barIndex[i] = b++;
            if (m.series[i].kind == SeriesKind::HorizBar)
                barIndex[i] = h++;
        }
    }
    // From the last series to the first, so the first lies in front as in 3-D.
    for (int i = m.seriesCount() - 1; i >= 0; --i) {
        const ChartSeries& s = m.series[i];
        if (!drawable(s))
            continue;
        const Fill fill{s.color, s.fill, s.gradient};
        QPolygonF line;
        for (const QPointF& pt : s.points)
            if (finitePoint(pt))
                line << screen(pt);
        switch (s.kind) {
        case SeriesKind::Area: {
            if (line.isEmpty())
                break;
            QPolygonF poly;
            const double base = front.bottom() - std::clamp(mp.wy(0), 0.0, pr.H);
            poly << QPointF(line.first().x(), base) << line << QPointF(line.last().x(), base);
            fillPolygon(p, poly, {s.color, Qt::SolidPattern, false}, outline, l.u);
            break;
        }
        case SeriesKind::Line:
        case SeriesKind::FastLine:
            p.setPen(QPen(s.color, std::max(1, s.penWidth) * l.u, Qt::SolidLine, Qt::RoundCap,
                          Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(line);
            break;
        case SeriesKind::Point: {
            const double r = 4.5 * l.u;
            for (const QPointF& c : line)
                fillPolygon(p, QPolygonF(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r)), fill, outline,
                            l.u);
            break;
        }
        case SeriesKind::Bar:
        case SeriesKind::HorizBar: {
            const bool vertical = s.kind == SeriesKind::Bar;
            const int count = vertical ? barCount : hbarCount;
            const double spacing =
                vertical ? l.xSpacing / safeSpan(l.xs) * pr.W : l.ySpacing / safeSpan(l.ys) * pr.H;
            const double group = spacing * 0.7;
            const double width = group / std::max(1, count);
            const double offset = -group / 2 + barIndex[i] * width;
            for (const QPointF& pt : s.points) {
                if (!finitePoint(pt))
                    continue;
                const QPointF c = screen(pt);
                QRectF bar;
                if (vertical) {
                    const double base = front.bottom() - mp.wy(0);
                    bar = QRectF(QPointF(c.x() + offset, c.y()),
                                 QPointF(c.x() + offset + width, base));
                } else {
                    const double base = front.left() + mp.wx(0);
                    bar = QRectF(QPointF(base, c.y() + offset),
                                 QPointF(c.x(), c.y() + offset + width));
                }
                bar = bar.normalized();
                if (bar.width() < 0.01 || bar.height() < 0.01)
                    continue;
                fillPolygon(p, QPolygonF(bar), fill, outline, l.u);
            }
            break;
        }
        }
    }
    p.restore();
}

void drawLegend(QPainter& p, const ChartModel& m, const Layout& l) {
    if (l.legendItems.isEmpty())
        return;
    const QFontMetricsF fm(l.textFont);
    p.setFont(l.textFont);
    const QRectF r = l.legendRect;
    p.setPen(QPen(Qt::black, std::max(1.0, 0.75 * l.u)));
    p.setBrush(Qt::white);
    p.drawRect(r);
    const double pad = 8 * l.u;
    for (int n = 0; n < l.legendItems.size(); ++n) {
        const ChartSeries& s = m.series[l.legendItems[n]];
        const double top = r.top() + n * l.legendLine;
        if (n > 0 && m.legendDividers) {
            p.setPen(QPen(QColor(128, 128, 128), std::max(1.0, 0.5 * l.u)));
            p.drawLine(QPointF(r.left(), top), QPointF(r.right(), top));
        }
        const QRectF swatch(r.left() + pad, top + (l.legendLine - 10 * l.u) / 2, 16 * l.u,
                            10 * l.u);
        const Fill fill{s.color, usesFill(s.kind) ? s.fill : Qt::SolidPattern, false};
        fillPolygon(p, QPolygonF(swatch), fill, QPen(Qt::black, std::max(1.0, 0.5 * l.u)), l.u);
        p.setPen(Qt::black);
        p.drawText(
            QRectF(swatch.right() + pad, top, r.right() - swatch.right() - pad, l.legendLine),
            Qt::AlignLeft | Qt::AlignVCenter, s.title);
    }
}

void drawTitles(QPainter& p, const ChartModel& m, const Layout& l, double leftLabels) {
    p.setPen(Qt::black);
    if (!m.title.isEmpty()) {
        p.setFont(l.titleFont);
        // One line: a title wider than the chart loses its end rather than wrapping.
        const QString title =
            QFontMetricsF(l.titleFont).elidedText(m.title, Qt::ElideRight, l.titleRect.width());
        p.drawText(l.titleRect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, title);
    }
    p.setFont(l.textFont);
    if (!m.bottomAxisTitle.isEmpty())
        p.drawText(QRectF(l.plot.left(), l.bottomTitleRect.top(), l.plot.width(),
                          l.bottomTitleRect.height()),
                   Qt::AlignHCenter | Qt::AlignVCenter, m.bottomAxisTitle);
    if (!m.leftAxisTitle.trimmed().isEmpty()) {
        p.save();
        const QRectF r = l.leftTitleRect;
        // Beside the labels; in perspective they may stand further right than planned.
        const double x = std::isfinite(leftLabels)
                             ? std::max(r.left(), leftLabels - 4 * l.u - r.width())
                             : r.left();
        p.translate(x, l.plot.center().y());
        p.rotate(-90);
        const double w = l.plot.height() + 200 * l.u;
        p.drawText(QRectF(-w / 2, 0, w, r.width()), Qt::AlignHCenter | Qt::AlignVCenter,
                   m.leftAxisTitle);
        p.restore();
    }
}

} // namespace

QList<double> AxisScale::ticks() const {
    QList<double> out;
    if (!(step > 0) || !std::isfinite(min) || !std::isfinite(max) || max < min)
        return out;
    const double eps = step * 1e-6;
    double first = std::ceil((min - eps) / step) * step;
    for (int n = 0; n < 1000; ++n) {
        const double v = first + n * step;
        if (v > max + eps)
            break;
        out << (std::abs(v) < eps ? 0.0 : v);
    }
    return out;
}

QString AxisScale::label(double value) const {
    return FormatThousands(decimals, static_cast<float>(value));
}

AxisScale NiceScale(double lo, double hi, int targetTicks, bool roundEnds) {
    AxisScale s;
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        lo = 0;
        hi = 1;
    }
    // Ends so far apart that their distance overflows are brought within reach.
    constexpr double Reach = 1e300;
    lo = std::clamp(lo, -Reach, Reach);
    hi = std::clamp(hi, -Reach, Reach);
    if (hi < lo)
        std::swap(lo, hi);
    if (hi - lo < 1e-12) {
        const double pad = lo == 0 ? 1.0 : std::abs(lo) * 0.1;
        if (lo >= 0 && roundEnds)
            hi = lo + pad;
        else {
            lo -= pad;
            hi += pad;
        }
    }
    const double raw = (hi - lo) / std::max(1, targetTicks);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double norm = raw / magnitude;
    const double factor = norm < 1.5 ? 1 : norm < 3 ? 2 : norm < 7 ? 5 : 10;
    s.step = factor * magnitude;
    s.decimals =
        s.step >= 1 ? 0 : std::min(2, static_cast<int>(std::ceil(-std::log10(s.step) - 1e-9)));
    if (roundEnds) {
        s.min = std::floor(lo / s.step + 1e-9) * s.step;
        s.max = std::ceil(hi / s.step - 1e-9) * s.step;
    } else {
        s.min = lo;
        s.max = hi;
    }
    return s;
}

QPointF ChartGeometry::valueAt(const QPointF& pixel) const {
    const double fx = front.width() > 0 ? (pixel.x() - front.left()) / front.width() : 0;
    const double fy = front.height() > 0 ? (front.bottom() - pixel.y()) / front.height() : 0;
    return {x.min + fx * (x.max - x.min), y.min + fy * (y.max - y.min)};
}

ChartGeometry ChartFrontGeometry(const ChartModel& model, const QRectF& rect) {
    const Layout l = computeLayout(model, rect);
    const Projection pr = makeProjection(model, l);
    ChartGeometry g;
    if (pr.mode == Projection::Perspective)
        g.front = l.plot;
    else
        g.front = QRectF(pr.origin.x(), pr.origin.y() - pr.H, pr.W, pr.H);
    g.x = l.xs;
    g.y = l.ys;
    return g;
}

void PaintChart(QPainter& painter, const ChartModel& model, const QRectF& rect) {
    if (rect.width() < 4 || rect.height() < 4)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setClipRect(rect);
    painter.fillRect(rect, model.background);

    const Layout l = computeLayout(model, rect);
    const Projection pr = makeProjection(model, l);
    drawWalls(painter, pr, model, l);
    // Flat, the axes lie under the series so markers on them stay whole; in 3-D they run
    // along the front edges, in front of everything.
    double leftLabels = 0;
    if (pr.mode == Projection::Flat) {
        leftLabels = drawAxes(painter, pr, l, model.axisLabels);
        paintSeries2D(painter, model, l, pr);
    } else {
        paintSeries3D(painter, model, l, pr);
        leftLabels = drawAxes(painter, pr, l, model.axisLabels);
    }
    drawLegend(painter, model, l);
    drawTitles(painter, model, l, leftLabels);
    painter.restore();
}

std::optional<QPointF> ChartMarkPosition(const ChartModel& model, const QRectF& rect,
                                         int seriesIndex, int pointIndex) {
    if (seriesIndex < 0 || seriesIndex >= model.seriesCount())
        return std::nullopt;
    const ChartSeries& s = model.series[seriesIndex];
    if (!drawable(s) || pointIndex < 0 || pointIndex >= s.points.size() ||
        !finitePoint(s.points[pointIndex]))
        return std::nullopt;
    const Layout l = computeLayout(model, rect);
    const Projection pr = makeProjection(model, l);
    const Mapper mp{l, pr.W, pr.H};
    const QPointF w = mp.world(s.points[pointIndex]);
    const bool vertical = s.kind == SeriesKind::Bar;
    if (pr.mode == Projection::Flat) {
        QPointF at(pr.origin.x() + w.x(), pr.origin.y() - w.y());
        if (isBarKind(s.kind)) {
            int count = 0, index = 0;
            for (int i = 0; i < model.seriesCount(); ++i) {
                if (!drawable(model.series[i]) || model.series[i].kind != s.kind)
                    continue;
                if (i == seriesIndex)
                    index = count;
                ++count;
            }
            const double spacing =
                vertical ? l.xSpacing / safeSpan(l.xs) * pr.W : l.ySpacing / safeSpan(l.ys) * pr.H;
            const double group = spacing * 0.7, width = group / std::max(1, count);
            const double offset = -group / 2 + (index + 0.5) * width;
            if (vertical)
                at = QPointF(at.x() + offset, pr.origin.y() - (mp.wy(0) + w.y()) / 2);
            else
                at = QPointF(pr.origin.x() + (mp.wx(0) + w.x()) / 2, at.y() + offset);
        } else if (s.kind == SeriesKind::Area) {
            at.setY(pr.origin.y() - std::max(mp.wy(0), w.y() - 4 * l.u));
        }
        return at;
    }
    const Slices slices = makeSlices(model);
    const double sliceDepth = slices.count > 0 ? pr.D / slices.count : pr.D;
    const double z0 = slices.order[seriesIndex] * sliceDepth;
    const double gap = sliceDepth * 0.1;
    switch (s.kind) {
    case SeriesKind::Bar:
        return pr.map(w.x(), (mp.wy(0) + w.y()) / 2, z0 + gap);
    case SeriesKind::HorizBar:
        return pr.map((mp.wx(0) + w.x()) / 2, w.y(), z0 + gap);
    case SeriesKind::Area:
        return pr.map(w.x(), std::max(mp.wy(0), w.y() - 4 * l.u), z0 + gap);
    case SeriesKind::Point: {
        const double dz = std::min(4.5 * l.u, (sliceDepth - 2 * gap) / 2);
        return pr.map(w.x(), w.y(), z0 + sliceDepth / 2 - dz);
    }
    case SeriesKind::Line:
    case SeriesKind::FastLine:
        break;
    }
    return pr.map(w.x(), w.y(), z0 + sliceDepth / 2);
}
