#include "ChartFixtures.h"
#include "FakeDesktop.h"
#include "TestEnvironment.h"
#include "charts/ChartPainter.h"
#include "charts/ChartView.h"
#include "charts/EnergyGraphsPage.h"
#include "charts/EstimationCharts.h"
#include "charts/TGRSEL.h"
#include "core/SharedState.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               QPoint at) {
    QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void dragWith(QWidget* w, Qt::MouseButton button, QPoint from, QPoint to) {
    sendMouse(w, QEvent::MouseButtonPress, button, button, from);
    sendMouse(w, QEvent::MouseMove, Qt::NoButton, button, (from + to) / 2);
    sendMouse(w, QEvent::MouseMove, Qt::NoButton, button, to);
    sendMouse(w, QEvent::MouseButtonRelease, button, Qt::NoButton, to);
}

QList<int> visibleFrames(const TGRSEL& chooser) {
    QList<int> out;
    for (int t = 1; t <= 6; ++t)
        if (!chooser.frame(t)->isHidden())
            out << t;
    return out;
}

QList<int> shownCharts(const EnergyGraphsPage& page) {
    QList<int> out;
    for (int t = 1; t <= 6; ++t)
        if (!page.chart(t)->isHidden())
            out << t;
    return out;
}

QString runTool(const QString& tool, const QStringList& args) {
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty())
        return {};
    QProcess p;
    p.start(exe, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestChartWidgets : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        fake = std::make_unique<FakeDesktop>();
        ResetCharts();
        FillSampleResults();
        Shared.AppType = 1;
        Shared.GraphType = 5;
    }
    void cleanup() {
        QVERIFY(fake->allShown());
        fake.reset();
        env.reset();
    }

    void chooserLayout() {
        TGRSEL chooser;
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Graph Type"));
        QCOMPARE(chooser.size(), QSize(359, 283));
        const QStringList hints{"Select Area Graph",       "Select Line Graph",
                                "Select Horizontal Graph", "Select Point Graph",
                                "Select Bar Graph",        "Select Fast Line Graph"};
        for (int t = 1; t <= 6; ++t) {
            QLabel* picture = chooser.picture(t);
            QCOMPARE(picture->objectName(), QStringLiteral("Picture%1").arg(t));
            QCOMPARE(picture->toolTip(), hints[t - 1]);
            QCOMPARE(picture->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(!picture->pixmap().isNull());
            QVERIFY(chooser.frame(t)->geometry().contains(picture->geometry()));
        }
        // two rows of three
        QCOMPARE(chooser.picture(1)->y(), chooser.picture(3)->y());
        QVERIFY(chooser.picture(4)->y() > chooser.picture(1)->y());
        QVERIFY(chooser.picture(2)->x() > chooser.picture(1)->x());
        QCOMPARE(chooser.picture(4)->x(), chooser.picture(1)->x());
        QVERIFY(chooser.findChild<QLabel*>(QStringLiteral("Label1")));
        QCOMPARE(chooser.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Select Graph Type"));
        QCOMPARE(chooser.closeButton()->text(), QStringLiteral("&Close"));
        // the pictures differ from each other
        QVERIFY(chooser.picture(1)->pixmap().toImage() != chooser.picture(5)->pixmap().toImage());
    }

    void chooserMovesTheFrame() {
        TGRSEL chooser;
        Shared.GraphType = 5;
        chooser.show();
        QCOMPARE(visibleFrames(chooser), QList<int>{5});
        QTest::mouseClick(chooser.picture(2), Qt::LeftButton);
        QCOMPARE(Shared.GraphType, 2);
        QCOMPARE(visibleFrames(chooser), QList<int>{2});
        QVERIFY(chooser.isVisible());
        QTest::keyClick(&chooser, Qt::Key_Escape);
        QVERIFY(!chooser.isVisible());
        Shared.GraphType = 9;
        chooser.show();
        QCOMPARE(visibleFrames(chooser), QList<int>{});
        QTest::mouseClick(chooser.closeButton(), Qt::LeftButton);
        QVERIFY(!chooser.isVisible());
    }

    void graphTypeTakesEffectOnClose() {
        EnergyGraphsPage page;
        page.resize(900, 600);
        page.show();
        QCOMPARE(shownCharts(page), QList<int>{5});
        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto* chooser = qobject_cast<TGRSEL*>(QApplication::activeModalWidget());
            QVERIFY(chooser);
            QTest::mouseClick(chooser->picture(2), Qt::LeftButton);
            QCOMPARE(shownCharts(page), QList<int>{5}); // not yet
            checked = true;
            QTest::mouseClick(chooser->closeButton(), Qt::LeftButton);
        });
        QTest::mouseClick(page.BitBtn9, Qt::LeftButton);
        QVERIFY(checked);
        QCOMPARE(Shared.GraphType, 2);
        QCOMPARE(shownCharts(page), QList<int>{2});
    }

    void toolBarInitialState() {
        EnergyGraphsPage page;
        QCOMPARE(page.BitBtn9->text(), QStringLiteral("&Graph Type"));
        QCOMPARE(page.BitBtn9->toolTip(), QStringLiteral("Select graph (Area, Bar, etc..)"));
        QCOMPARE(page.BitBtn16->text(), QStringLiteral("&Reset"));
        QCOMPARE(page.BitBtn16->toolTip(), QStringLiteral("Reset graph position"));
        QCOMPARE(page.BitBtn17->text(), QStringLiteral("&Print Graph"));
        QCOMPARE(page.CheckBox1->text(), QStringLiteral("3&D:"));
        QVERIFY(page.CheckBox1->isChecked());
        QCOMPARE(page.Label6A->text(), QStringLiteral("3D View (%):"));
        QCOMPARE(page.Bar3D->minimum(), 1);
        QCOMPARE(page.Bar3D->maximum(), 100);
        QCOMPARE(page.Bar3D->toolTip(), QStringLiteral("Change 3D Perspective"));
        QCOMPARE(page.Label60->text(), QStringLiteral("&Rotation:"));
        QCOMPARE(page.Label60->buddy(), page.ScrollBar3);
        QCOMPARE(page.ScrollBar3->minimum(), 270);
        QCOMPARE(page.ScrollBar3->maximum(), 360);
        QCOMPARE(page.ScrollBar3->value(), 345);
        QCOMPARE(page.ScrollBar3->toolTip(), QStringLiteral("Rotate Graph"));
        QVERIFY(page.Bar3D->isEnabled() && page.ScrollBar3->isEnabled());
        QCOMPARE(page.BW->text(), QStringLiteral("Pattern"));
        QVERIFY(!page.BW->isChecked());
        QCOMPARE(page.BW->toolTip(),
                 QStringLiteral("Check here to use fill pattern for use with B/W printer"));
        QCOMPARE(page.SelectLabel->text(), QStringLiteral("Select Energy Graph:"));
        QCOMPARE(page.SelectionGraphType->toolTip(),
                 QStringLiteral("Select Energy Estimation Graph"));
        QCOMPARE(page.SelectionGraphType->count(), 3);
        QCOMPARE(page.SelectionGraphType->itemText(0),
                 QStringLiteral("%Flow versus Cost Estimation Graph"));
        QCOMPARE(page.SelectionGraphType->itemText(1),
                 QStringLiteral("%Flow versus Annual Hours Graph"));
        QCOMPARE(page.SelectionGraphType->itemText(2), QStringLiteral("%Flow versus %Time Graph"));
        for (int t = 1; t <= 6; ++t) {
            QCOMPARE(page.chart(t)->objectName(), QStringLiteral("Chart%1").arg(t));
            QVERIFY(page.chart(t)->toolTip().isEmpty());
        }
    }

    void threeDSwitchDisablesTheScrollBars() {
        EnergyGraphsPage page;
        page.show();
        QTest::mouseClick(page.CheckBox1, Qt::LeftButton);
        QVERIFY(!page.CheckBox1->isChecked());
        for (const ChartModel& chart : Charts.Graph)
            QVERIFY(!chart.view.enabled);
        QVERIFY(!page.Bar3D->isEnabled());
        QVERIFY(!page.ScrollBar3->isEnabled());
        // a disabled rotation bar changes nothing, even when it gets a value
        page.ScrollBar3->setValue(300);
        for (const ChartModel& chart : Charts.Graph) {
            QVERIFY(chart.view.orthogonal);
            QCOMPARE(chart.view.rotation, 345);
        }
        QTest::mouseClick(page.CheckBox1, Qt::LeftButton);
        QVERIFY(page.Bar3D->isEnabled() && page.ScrollBar3->isEnabled());
        QVERIFY(Charts.Graph[3].view.enabled);
    }

    void depthRotationAndReset() {
        EnergyGraphsPage page;
        page.Bar3D->setValue(40);
        QCOMPARE(page.Label6A->text(), QStringLiteral("3D View 40%"));
        page.ScrollBar3->setValue(300);
        for (const ChartModel& chart : Charts.Graph) {
            QCOMPARE(chart.view.depth, 40);
            QVERIFY(!chart.view.orthogonal);
            QCOMPARE(chart.view.rotation, 300);
        }
        QTest::mouseClick(page.BitBtn16, Qt::LeftButton);
        for (const ChartModel& chart : Charts.Graph) {
            QCOMPARE(chart.view.depth, 15);
            QVERIFY(chart.view.orthogonal);
            QCOMPARE(chart.view.rotation, 345);
        }
        QCOMPARE(page.ScrollBar3->value(), 300);
        QCOMPARE(page.Bar3D->value(), 40);
        QCOMPARE(page.Label6A->text(), QStringLiteral("3D View 40%"));
    }

    void showTimeView() {
        EnergyGraphsPage page;
        page.ScrollBar3->setValue(300);
        page.Bar3D->setValue(60);
        Charts.Graph[4].zoomX = AxisRange{10, 20};
        ResetGraphsView(); // depth 15 in the charts, the bar still at 60
        page.ShowTimeView();
        QCOMPARE(page.Bar3D->value(), 15);
        QCOMPARE(page.Label6A->text(), QStringLiteral("3D View 15%"));
        QVERIFY(!Charts.Graph[4].zoomX);
    }

    void patternBox() {
        EnergyGraphsPage page;
        page.show();
        QTest::mouseClick(page.BW, Qt::LeftButton);
        QVERIFY(Charts.Pattern);
        QCOMPARE(Charts.Graph[4].series[1].fill, Qt::CrossPattern);
        QTest::mouseClick(page.BW, Qt::LeftButton);
        QCOMPARE(Charts.Graph[4].series[1].fill, Qt::SolidPattern);
    }

    void selectionListFillsTheGraph() {
        EnergyGraphsPage page;
        page.show();
        page.SelectionGraphType->setCurrentIndex(1);
        emit page.SelectionGraphType->activated(1);
        QCOMPARE(Charts.SelectionGraphType, 1);
        QCOMPARE(Charts.Graph[4].title,
                 QStringLiteral("Annual Hours of operation per percentage Flow Graph for Fans"));
        page.SelectFirstGraph();
        QCOMPARE(page.SelectionGraphType->currentIndex(), 0);
        QCOMPARE(Charts.SelectionGraphType, 0);
    }

    void chartsFollowTheGraphType() {
        EnergyGraphsPage page;
        page.show();
        Shared.GraphType = 3;
        ShowGraphOfType();
        QCOMPARE(shownCharts(page), QList<int>{3});
        Shared.GraphType = 7;
        ShowGraphOfType();
        QCOMPARE(shownCharts(page), QList<int>{});
    }

    void zoomAndScrollByMouse() {
        FillCostGraph();
        ChartView view(&Charts.Graph[4]);
        view.resize(800, 500);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const ChartGeometry before = ChartFrontGeometry(Charts.Graph[4], QRectF(view.rect()));
        const QPoint from = before.front.center().toPoint() - QPoint(100, 80);
        const QPoint to = before.front.center().toPoint() + QPoint(100, 80);
        dragWith(&view, Qt::LeftButton, from, to);
        QVERIFY(Charts.Graph[4].zoomX.has_value());
        const AxisRange zx = *Charts.Graph[4].zoomX, zy = *Charts.Graph[4].zoomY;
        QVERIFY(zx.min > before.x.min && zx.max < before.x.max && zx.min < zx.max);
        QVERIFY(zy.min > before.y.min && zy.max < before.y.max && zy.min < zy.max);
        QCOMPARE(Charts.Graph[4].size, QSize(800, 500));

        // scroll: the window moves against the mouse
        dragWith(&view, Qt::RightButton, QPoint(400, 250), QPoint(300, 250));
        QVERIFY(Charts.Graph[4].zoomX->min > zx.min);
        QVERIFY(std::abs((Charts.Graph[4].zoomX->max - Charts.Graph[4].zoomX->min) -
                         (zx.max - zx.min)) < 1e-6);

        // dragging up and left undoes zoom and scroll
        dragWith(&view, Qt::LeftButton, to, from);
        QVERIFY(!Charts.Graph[4].zoomX && !Charts.Graph[4].zoomY);

        // a click zooms nothing
        dragWith(&view, Qt::LeftButton, from, from + QPoint(2, 2));
        QVERIFY(!Charts.Graph[4].zoomX);
    }

    void dutyChartDoesNotPan() {
        RefreshDutyChart();
        std::unique_ptr<ChartView> view(CreateDutyChartView(nullptr));
        QCOMPARE(view->objectName(), QStringLiteral("DutyChart"));
        view->resize(320, 260);
        view->show();
        dragWith(view.get(), Qt::RightButton, QPoint(200, 100), QPoint(100, 100));
        QVERIFY(!Charts.DutyChart.zoomX);
        // not a graph chart: it stays shown whatever the graph type
        Shared.GraphType = 1;
        ShowGraphOfType();
        QVERIFY(!view->isHidden());
    }

    void cancelledPrintPrintsNothing() {
        EnergyGraphsPage page;
        const QString pdf = env->file(QStringLiteral("graph.pdf"));
        page.printer().setOutputFormat(QPrinter::PdfFormat);
        page.printer().setOutputFileName(pdf);
        fake->printAnswers << false;
        QTest::mouseClick(page.BitBtn17, Qt::LeftButton);
        QCOMPARE(fake->printDialogs, 1);
        QVERIFY(!QFile::exists(pdf));
        // no chart shown: no dialog, nothing printed
        Shared.GraphType = 0;
        page.PrintGraphClick();
        QCOMPARE(fake->printDialogs, 1);
    }

    void printsOneLandscapePage() {
        FillCostGraph();
        EnergyGraphsPage page;
        const QString pdf = env->file(QStringLiteral("graph.pdf"));
        page.printer().setOutputFormat(QPrinter::PdfFormat);
        page.printer().setOutputFileName(pdf);
        page.printer().setPageOrientation(QPageLayout::Portrait);
        fake->printAnswers << true;
        page.PrintGraphClick();
        QCOMPARE(fake->printDialogs, 1);
        QVERIFY(readAll(pdf).startsWith("%PDF"));
        QCOMPARE(page.printer().pageLayout().orientation(), QPageLayout::Portrait);
        const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
        if (info.isEmpty())
            QSKIP("pdfinfo is not installed");
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b"))),
                 qPrintable(info));
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(info);
        QVERIFY(size.hasMatch());
        QVERIFY(size.captured(1).toDouble() > size.captured(2).toDouble()); // landscape
        const QString text = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.contains(QStringLiteral("Annual Operating Cost / Fan Application")));
    }

    // Hatches on paper: a printer's resolution must not shrink them to a tint.
    void printedHatchesStayVisible() {
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (pdftoppm.isEmpty())
            QSKIP("pdftoppm is not installed");
        FillCostGraph();
        Charts.Pattern = true;
        ApplyFillPatterns();
        SetGraphs3D(false);
        EnergyGraphsPage page;
        const QString pdf = env->file(QStringLiteral("hatched.pdf"));
        page.printer().setOutputFormat(QPrinter::PdfFormat);
        page.printer().setOutputFileName(pdf);
        fake->printAnswers << true;
        page.PrintGraphClick();
        QProcess p;
        p.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), pdf, env->file(QStringLiteral("page"))});
        QVERIFY(p.waitForFinished(60000));
        const QImage image(env->file(QStringLiteral("page.png")));
        QVERIFY(!image.isNull());
        int red = 0, blue = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
                blue += c.blue() > 200 && c.red() < 60 && c.green() < 60;
            }
        QVERIFY2(red > 500 && blue > 500, qPrintable(QStringLiteral("%1 %2").arg(red).arg(blue)));
    }

    void printerThatCannotStartIsReported() {
        EnergyGraphsPage page;
        page.printer().setOutputFormat(QPrinter::PdfFormat);
        page.printer().setOutputFileName(env->file(QStringLiteral("no/such/folder/graph.pdf")));
        fake->printAnswers << true;
        fake->expect(platform::Icon::Warning, QStringLiteral("The graph could not be printed."),
                     platform::Buttons::Ok);
        page.PrintGraphClick();
    }

    // Not a check: pictures of the chooser and the page for a person to look at.
    void screenshots() {
        const QString folder = qEnvironmentVariable("ENERVANE_CHART_SHOTS");
        if (folder.isEmpty())
            QSKIP("set ENERVANE_CHART_SHOTS to a folder to write the screenshots");
        FillCostGraph();
        TGRSEL chooser;
        chooser.show();
        QVERIFY(chooser.grab().save(folder + QStringLiteral("/chooser.png")));
        EnergyGraphsPage page;
        page.resize(900, 560);
        page.show();
        QVERIFY(page.grab().save(folder + QStringLiteral("/page.png")));
        page.printer().setOutputFormat(QPrinter::PdfFormat);
        page.printer().setOutputFileName(folder + QStringLiteral("/print.pdf"));
        fake->printAnswers << true;
        page.PrintGraphClick();
        QTest::mouseClick(page.BW, Qt::LeftButton);
        page.printer().setOutputFileName(folder + QStringLiteral("/print-pattern.pdf"));
        fake->printAnswers << true;
        page.PrintGraphClick();
    }

private:
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
};

QTEST_MAIN(TestChartWidgets)
#include "tst_chartwidgets.moc"
