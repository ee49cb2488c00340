#include "ChartFixtures.h"
#include "FakeDesktop.h"
#include "TestEnvironment.h"
#include "charts/ChartPainter.h"
#include "charts/ChartPicture.h"
#include "charts/EstimationCharts.h"
#include "core/SharedState.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

namespace {

// A bar chart whose series stand at different flows, so no bar hides another in any view.
ChartModel separateBars(SeriesKind kind) {
    ChartModel m;
    m.title = QStringLiteral("Separate");
    for (int slot = 1; slot <= 5; ++slot) {
        ChartSeries s;
        s.kind = kind;
        s.color = SlotColor(slot);
        s.title = QStringLiteral("Slot %1").arg(slot);
        const double flow = 10.0 * slot, value = 1000.0 + 500 * slot;
        s.points << (kind == SeriesKind::HorizBar ? QPointF(value, flow) : QPointF(flow, value));
        m.series << s;
    }
    return m;
}

void setView(ChartModel& m, int view) {
    m.view.enabled = view > 0;
    m.view.orthogonal = view == 1;
    m.view.rotation = 345;
    m.view.depth = 15;
}

QColor pixelAt(const QImage& image, const QPointF& at) {
    return image.pixelColor(at.toPoint());
}

// Texts of a picture, as an SVG generator receives them.
QByteArray svgOf(const QPicture& picture) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(picture.boundingRect().size());
    QPainter painter(&svg);
    painter.drawPicture(0, 0, picture);
    painter.end();
    return buffer.data();
}

// The model painted at 800 x 500 into a picture, read back as SVG text.
QByteArray paintedSvg(const ChartModel& model) {
    QPicture picture;
    {
        QPainter painter(&picture);
        PaintChart(painter, model, QRectF(0, 0, 800, 500));
    }
    picture.setBoundingRect(QRect(0, 0, 800, 500));
    return svgOf(picture);
}

QImage imageOf(const QPicture& picture, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPicture(0, 0, picture);
    painter.end();
    return image;
}

// Share of pixels that differ clearly between two images of one size.
double differingShare(const QImage& a, const QImage& b) {
    qint64 differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                    std::abs(p.blue() - q.blue()) >
                60)
                ++differ;
        }
    return double(differ) / (a.width() * a.height());
}

} // namespace

class TestChartPainter : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        fake = std::make_unique<FakeDesktop>();
        ResetCharts();
        FillSampleResults();
        Shared.AppType = 1;
        Setup.Custom1Enabled = true;
        Setup.Custom1Name = QStringLiteral("Eddy Coupling");
    }
    void cleanup() {
        QVERIFY(fake->allShown());
        fake.reset();
        env.reset();
    }

    void niceScale_data() {
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("step");
        QTest::addColumn<QString>("lastLabel");
        QTest::newRow("costs") << 0.0 << 10560.0 << 8 << 0.0 << 11000.0 << 1000.0 << "11,000";
        QTest::newRow("percent") << 0.0 << 24.0 << 8 << 0.0 << 25.0 << 5.0 << "25";
        QTest::newRow("fractions") << 0.0 << 0.47 << 5 << 0.0 << 0.5 << 0.1 << "0.5";
        QTest::newRow("negative") << -712.0 << 1500.0 << 5 << -1000.0 << 1500.0 << 500.0 << "1,500";
        QTest::newRow("all zero") << 0.0 << 0.0 << 5 << 0.0 << 1.0 << 0.2 << "1.0";
        QTest::newRow("millions") << 0.0 << 2.4e6 << 6 << 0.0 << 2.5e6 << 5e5 << "2,500,000";
    }
    void niceScale() {
        QFETCH(double, lo);
        QFETCH(double, hi);
        QFETCH(int, ticks);
        const AxisScale s = NiceScale(lo, hi, ticks);
        QTEST(s.min, "min");
        QTEST(s.max, "max");
        QTEST(s.step, "step");
        const QList<double> t = s.ticks();
        QVERIFY(!t.isEmpty());
        QCOMPARE(t.first(), s.min);
        QTEST(s.label(t.last()), "lastLabel");
    }

    void badScalesStayFinite() {
        for (double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) {
            const AxisScale s = NiceScale(0, bad, 5);
            QVERIFY(std::isfinite(s.min) && std::isfinite(s.max) && s.step > 0);
            QVERIFY(s.ticks().size() < 50);
        }
        // Finite ends whose distance is not.
        const double most = std::numeric_limits<double>::max();
        const AxisScale wide = NiceScale(-most, most, 5);
        QVERIFY(std::isfinite(wide.min) && std::isfinite(wide.max) && std::isfinite(wide.step));
        QVERIFY(wide.min < 0 && wide.max > 0 && wide.step > 0);
        QVERIFY(!wide.ticks().isEmpty());
    }

    // Each slot's colour lies where its bar is drawn, in 2-D, oblique 3-D and rotated 3-D.
    void slotColoursWhereTheBarsAre_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("view");
        const QStringList views{"2D", "3D", "rotated"};
        for (int v = 0; v < 3; ++v) {
            QTest::newRow(qPrintable("bar " + views[v])) << int(SeriesKind::Bar) << v;
            QTest::newRow(qPrintable("horizontal " + views[v])) << int(SeriesKind::HorizBar) << v;
            QTest::newRow(qPrintable("point " + views[v])) << int(SeriesKind::Point) << v;
            QTest::newRow(qPrintable("area " + views[v])) << int(SeriesKind::Area) << v;
        }
    }
    void slotColoursWhereTheBarsAre() {
        QFETCH(int, kind);
        QFETCH(int, view);
        ChartModel m = separateBars(SeriesKind(kind));
        if (SeriesKind(kind) == SeriesKind::Area) {
            // one wide area per slot, the first in front and lowest
            for (int i = 0; i < 5; ++i) {
                m.series[i].points.clear();
                for (int x = 0; x <= 100; x += 10)
                    m.series[i].points << QPointF(x, 1000.0 * (i + 1));
            }
        }
        setView(m, view);
        const QSize size(800, 500);
        const QImage image = RenderChartImage(m, size);
        for (int i = 0; i < 5; ++i) {
            const int point = SeriesKind(kind) == SeriesKind::Area ? 5 : 0;
            const std::optional<QPointF> at =
                ChartMarkPosition(m, QRectF(0, 0, 800, 500), i, point);
            QVERIFY(at.has_value());
            QCOMPARE(pixelAt(image, *at), SlotColor(i + 1));
        }
    }

    // Two bars at one flow: the first series stands in front of the second in 3-D.
    void frontSeriesCoversTheBack_data() {
        QTest::addColumn<int>("view");
        QTest::newRow("oblique") << 1;
        QTest::newRow("rotated") << 2;
    }
    void frontSeriesCoversTheBack() {
        QFETCH(int, view);
        ChartModel m;
        for (int slot : {1, 2}) {
            ChartSeries s;
            s.kind = SeriesKind::Bar;
            s.color = SlotColor(slot);
            s.points << QPointF(0, 0) << QPointF(50, slot == 1 ? 400 : 1000) << QPointF(100, 0);
            m.series << s;
        }
        setView(m, view);
        m.view.depth = 20;
        const QRectF r(0, 0, 800, 500);
        const QImage image = RenderChartImage(m, QSize(800, 500));
        QCOMPARE(pixelAt(image, *ChartMarkPosition(m, r, 0, 1)), SlotColor(1));
        // high up on the back bar, above the front one
        const ChartGeometry g = ChartFrontGeometry(m, r);
        QPointF high = *ChartMarkPosition(m, r, 1, 1);
        high.setY(high.y() - 0.3 * g.front.height());
        QCOMPARE(pixelAt(image, high), SlotColor(2));
    }

    void patternedBarShowsBothColours_data() {
        QTest::addColumn<int>("view");
        QTest::newRow("2D") << 0;
        QTest::newRow("3D") << 1;
    }
    void patternedBarShowsBothColours() {
        QFETCH(int, view);
        FillCostGraph();
        ChartModel m = Charts.Graph[4];
        setView(m, view);
        const QRectF r(0, 0, 800, 500);
        for (bool pattern : {false, true}) {
            Charts.Pattern = pattern;
            ApplyFillPatterns();
            m = Charts.Graph[4];
            setView(m, view);
            const QImage image = RenderChartImage(m, QSize(800, 500));
            for (int slot = 0; slot < 2; ++slot) {
                const QPointF c = *ChartMarkPosition(m, r, slot, 6); // 60 % flow
                int inColour = 0, white = 0, other = 0;
                for (int dy = -8; dy <= 8; ++dy)
                    for (int dx = -4; dx <= 4; ++dx) {
                        const QColor p = image.pixelColor(c.toPoint() + QPoint(dx, dy));
                        if (p == SlotColor(slot + 1))
                            ++inColour;
                        else if (p == QColor(Qt::white))
                            ++white;
                        else
                            ++other;
                    }
                QVERIFY2(inColour > 0, qPrintable(QString::number(slot)));
                if (pattern)
                    QVERIFY2(white > 10 && inColour > 10,
                             qPrintable(QStringLiteral("slot %1: %2 in colour, %3 white, %4 other")
                                            .arg(slot)
                                            .arg(inColour)
                                            .arg(white)
                                            .arg(other)));
                else
                    QCOMPARE(white, 0);
            }
        }
    }

    void legendListsActiveMarkedSeries() {
        Setup.Custom1Enabled = false;
        FillCostGraph();
        ChartModel m = Charts.Graph[4];
        setView(m, 0);
        const QByteArray svg = paintedSvg(m);
        QVERIFY(svg.contains("Inverter"));
        QVERIFY(svg.contains("Outlet Damper"));
        QVERIFY(svg.contains("Inlet Vane"));
        QVERIFY(!svg.contains("Eddy Coupling"));
        QVERIFY(svg.contains("Annual Operating Cost / Fan Application"));
        FillHoursGraph();
        m = Charts.Graph[4];
        const QByteArray hoursSvg = paintedSvg(m);
        QVERIFY(hoursSvg.contains("Annual Hours"));
        QVERIFY(!hoursSvg.contains("Inverter"));
    }

    // Only series that are active and marked for the legend are listed, under their titles.
    void legendSkipsInactiveAndUnmarkedSeries() {
        ChartModel m = separateBars(SeriesKind::Bar);
        m.series[1].title = QStringLiteral("Switched off");
        m.series[1].active = false;
        m.series[2].title = QStringLiteral("Not for the legend");
        m.series[2].inLegend = false;
        setView(m, 0);
        const QByteArray svg = paintedSvg(m);
        QVERIFY(svg.contains("Slot 1"));
        QVERIFY(svg.contains("Slot 4"));
        QVERIFY(!svg.contains("Switched off"));
        QVERIFY(!svg.contains("Not for the legend"));
        // The unmarked series is still drawn; the switched-off one is not.
        const QImage image = RenderChartImage(m, QSize(800, 500));
        QCOMPARE(pixelAt(image, *ChartMarkPosition(m, QRectF(0, 0, 800, 500), 2, 0)), SlotColor(3));
        QVERIFY(!ChartMarkPosition(m, QRectF(0, 0, 800, 500), 1, 0).has_value());
    }

    // Nothing a chart can hold makes the painter fail.
    void oddDataPaints_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("view");
        for (int k = 0; k < 6; ++k)
            for (int v = 0; v < 3; ++v)
                QTest::newRow(qPrintable(QStringLiteral("kind %1 view %2").arg(k).arg(v)))
                    << k << v;
    }
    void oddDataPaints() {
        QFETCH(int, kind);
        QFETCH(int, view);
        ChartModel m;
        ChartSeries s;
        s.kind = SeriesKind(kind);
        s.points << QPointF(std::nan(""), 1) << QPointF(5, std::numeric_limits<double>::infinity())
                 << QPointF(1e300, -1e300) << QPointF(5, 5) << QPointF(5, 5)
                 << QPointF(-std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::max());
        m.series << s;
        ChartSeries empty;
        empty.kind = SeriesKind(kind);
        m.series << empty;
        setView(m, view);
        m.view.depth = 100;
        m.view.rotation = 270;
        for (const QSize size : {QSize(800, 500), QSize(5, 5), QSize(3000, 40)}) {
            const QImage image = RenderChartImage(m, size);
            QCOMPARE(image.size(), size);
        }
        m.zoomX = AxisRange{5, 5};
        m.zoomY = AxisRange{7, -7};
        QCOMPARE(RenderChartImage(m, QSize(400, 300)).size(), QSize(400, 300));
        ChartModel none;
        setView(none, view);
        QCOMPARE(RenderChartImage(none, QSize(400, 300)).size(), QSize(400, 300));
    }

    void zoomShowsTheWindow() {
        FillCostGraph();
        ChartModel m = Charts.Graph[4];
        m.zoomX = AxisRange{40, 60};
        m.zoomY = AxisRange{0, 2000};
        const ChartGeometry g = ChartFrontGeometry(m, QRectF(0, 0, 800, 500));
        QCOMPARE(g.x.min, 40.0);
        QCOMPARE(g.x.max, 60.0);
        QCOMPARE(g.y.max, 2000.0);
        const QPointF mid = g.valueAt(g.front.center());
        QCOMPARE(qRound(mid.x()), 50);
        QCOMPARE(qRound(mid.y()), 1000);
    }

    void pictureLoadsBackWithTextAndPatterns() {
        FillCostGraph();
        Charts.Pattern = true;
        ApplyFillPatterns();
        ChartModel& chart = Charts.Graph[4];
        chart.size = QSize(700, 420);
        const QString name = ReportPictureName(1);
        QCOMPARE(name, Shared.TempFolder + QStringLiteral("/QVN_EE1.WMF"));
        QVERIFY(SaveChartPicture(chart, name));
        QPicture picture;
        QVERIFY(LoadChartPicture(name, picture));
        QCOMPARE(picture.boundingRect(), QRect(0, 0, 700, 420));
        const QByteArray svg = svgOf(picture);
        QVERIFY(svg.contains("Annual Operating Cost / Fan Application"));
        QVERIFY(svg.contains("Eddy Coupling"));
        QVERIFY(svg.contains("Operating cost $"));
        // drawn again, the picture is the chart, hatches and all
        const QImage direct = RenderChartImage(chart, QSize(700, 420));
        QVERIFY(differingShare(imageOf(picture, QSize(700, 420)), direct) < 0.01);
        const QImage solid = [&] {
            Charts.Pattern = false;
            ApplyFillPatterns();
            return RenderChartImage(chart, QSize(700, 420));
        }();
        QVERIFY(differingShare(imageOf(picture, QSize(700, 420)), solid) > 0.01);
    }

    void badPictureFilesDoNotLoad() {
        QPicture picture;
        QVERIFY(!LoadChartPicture(env->file(QStringLiteral("missing.WMF")), picture));
        QFile junk(env->file(QStringLiteral("junk.WMF")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(5000, '\x7f'));
        junk.close();
        QVERIFY(!LoadChartPicture(junk.fileName(), picture));
        QVERIFY(picture.isNull());
        QVERIFY(!SaveChartPicture(Charts.Graph[4], env->file(QStringLiteral("no/such/dir/x.WMF"))));
    }

    void reportPictures_data() {
        QTest::addColumn<int>("graphType");
        QTest::addColumn<int>("chartIndex");
        QTest::newRow("bar") << 5 << 4;
        QTest::newRow("horizontal") << 3 << 2;
        QTest::newRow("outside") << 0 << 4;
    }
    void reportPictures() {
        QFETCH(int, graphType);
        QFETCH(int, chartIndex);
        Shared.GraphType = graphType;
        Charts.SelectionGraphType = 2;
        QVERIFY(WriteReportPictures());
        const char* titles[3] = {"Annual Operating Cost / Fan Application",
                                 "Annual Hours of operation per percentage Flow Graph for Fans",
                                 "Percentage Time per percentage Flow Graph for Fans"};
        for (int n = 1; n <= 3; ++n) {
            QPicture picture;
            QVERIFY(LoadChartPicture(ReportPictureName(n), picture));
            QVERIFY2(svgOf(picture).contains(titles[n - 1]), titles[n - 1]);
        }
        // the charts hold the cost graph again; the selection list is left alone
        QCOMPARE(Charts.Graph[0].title, QString::fromLatin1(titles[0]));
        QCOMPARE(Charts.SelectionGraphType, 2);
        // the pictures are of the chart of the graph type
        QPicture cost;
        QVERIFY(LoadChartPicture(ReportPictureName(1), cost));
        const QSize size = Charts.Graph[chartIndex].size;
        QVERIFY(differingShare(imageOf(cost, size),
                               RenderChartImage(Charts.Graph[chartIndex], size)) < 0.01);
    }

    void reportPicturesFailWhenTheFolderIsGone() {
        Shared.TempFolder = env->file(QStringLiteral("gone"));
        QVERIFY(!WriteReportPictures());
        QCOMPARE(Charts.Graph[0].title, QStringLiteral("Annual Operating Cost / Fan Application"));
    }

    void exportFormats() {
        FillCostGraph();
        const ChartModel& chart = Charts.Graph[4];
        const QSize size(800, 500);
        QCOMPARE(ExportChart(chart, env->file(QStringLiteral("g.png")), size), QString());
        QImage png(env->file(QStringLiteral("g.png")));
        QCOMPARE(png.size(), size);
        QCOMPARE(ExportChart(chart, env->file(QStringLiteral("g.svg")), size), QString());
        QVERIFY(readAll(env->file(QStringLiteral("g.svg"))).contains("Outlet Damper"));
        QCOMPARE(ExportChart(chart, env->file(QStringLiteral("g.PDF")), size), QString());
        QVERIFY(readAll(env->file(QStringLiteral("g.PDF"))).startsWith("%PDF"));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (!pdftotext.isEmpty()) {
            QProcess p;
            p.start(pdftotext, {env->file(QStringLiteral("g.PDF")), QStringLiteral("-")});
            QVERIFY(p.waitForFinished(30000));
            const QString text = QString::fromUtf8(p.readAllStandardOutput());
            QVERIFY2(text.contains(QStringLiteral("Annual Operating Cost / Fan Application")),
                     qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("Inlet Vane")));
        }
        QVERIFY(!ExportChart(chart, env->file(QStringLiteral("g.bmp")), size).isEmpty());
        QVERIFY(!QFile::exists(env->file(QStringLiteral("g.bmp"))));
        QVERIFY(!ExportChart(chart, env->file(QStringLiteral("none/g.png")), size).isEmpty());
    }

    // Not a check: writes every kind in every view for a person to look at.
    void screenshots() {
        const QByteArray folder = qgetenv("ENERVANE_CHART_SHOTS");
        if (folder.isEmpty())
            QSKIP("set ENERVANE_CHART_SHOTS to a folder to write the screenshots");
        QDir().mkpath(QString::fromLocal8Bit(folder));
        Charts.Pattern = qEnvironmentVariableIsSet("ENERVANE_CHART_PATTERN");
        ApplyFillPatterns();
        const int graph = qEnvironmentVariableIntValue("ENERVANE_CHART_GRAPH");
        Charts.SelectionGraphType = graph;
        SelectionGraphTypeChange();
        for (int c = 0; c < GraphChartCount; ++c) {
            for (int view = 0; view < 3; ++view) {
                ChartModel model = Charts.Graph[c];
                model.view.enabled = view > 0;
                model.view.orthogonal = view == 1;
                if (qEnvironmentVariableIsSet("ENERVANE_CHART_ROTATION"))
                    model.view.rotation = qEnvironmentVariableIntValue("ENERVANE_CHART_ROTATION");
                if (qEnvironmentVariableIsSet("ENERVANE_CHART_DEPTH"))
                    model.view.depth = qEnvironmentVariableIntValue("ENERVANE_CHART_DEPTH");
                const QImage image = RenderChartImage(model, QSize(800, 500));
                QVERIFY(image.save(QStringLiteral("%1/chart%2-%3.png")
                                       .arg(QString::fromLocal8Bit(folder))
                                       .arg(c + 1)
                                       .arg(QStringList{"2d", "3d", "rot"}[view])));
            }
        }
        RefreshDutyChart();
        QVERIFY(RenderChartImage(Charts.DutyChart, QSize(320, 260))
                    .save(QString::fromLocal8Bit(folder) + QStringLiteral("/duty.png")));
    }

private:
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
};

QTEST_MAIN(TestChartPainter)
#include "tst_chartpainter.moc"
