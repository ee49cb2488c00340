#include "ChartFixtures.h"
#include "FakeDesktop.h"
#include "TestEnvironment.h"
#include "charts/ChartPainter.h"
#include "charts/ChartPicture.h"
#include "charts/EstimationCharts.h"
#include "core/SharedState.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <memory>

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
