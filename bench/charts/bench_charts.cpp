// Painting a graph must keep up with dragging the depth and rotation scroll bars, and the
// report writes three pictures before it can show anything.
// Goals: one graph at 800 x 500 in well under 5 ms (2-D and 3-D); the three report
// pictures in under 30 ms.

#include "calc/CalcResults.h"
#include "charts/ChartPainter.h"
#include "charts/ChartPicture.h"
#include "charts/EstimationCharts.h"
#include "core/SharedState.h"
#include "setup/SetupOptions.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

void sampleProject() {
    const int duty[10] = {0, 5, 10, 15, 24, 20, 15, 8, 3, 0};
    for (int i = 0; i < 10; ++i) {
        const double flow = (10 - i) / 10.0, hours = duty[i] * 87.6;
        Results.FanDutyPercent[i] = duty[i];
        Results.FanHours[i] = hours;
        Results.FanVfdAnnualCost[i] = hours * 6 * std::pow(flow, 2.7);
        Results.DamperAnnualCost[i] = hours * 6 * (0.6 + 0.4 * flow);
        Results.VaneAnnualCost[i] = hours * 6 * (0.45 + 0.55 * std::pow(flow, 1.5));
        Results.Custom1AnnualCost[i] = hours * 6 * (0.3 + 0.7 * flow * flow);
    }
    Shared.AppType = 1;
    Setup.Custom1Enabled = true;
    FillCostGraph();
}

// Paints the model at 800 x 500 once per iteration.
void paintRepeatedly(benchmark::State& state, const ChartModel& model) {
    QImage image(800, 500, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintChart(painter, model, QRectF(0, 0, 800, 500));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// view: 0 flat, 1 oblique 3-D, 2 rotated 3-D; range(1): graph type 1..6
void BM_PaintGraph(benchmark::State& state) {
    sampleProject();
    ChartModel model = Charts.Graph[state.range(1) - 1];
    model.view.enabled = state.range(0) > 0;
    model.view.orthogonal = state.range(0) == 1;
    model.view.rotation = 330;
    paintRepeatedly(state, model);
}
BENCHMARK(BM_PaintGraph)
    ->ArgsProduct({{0, 1, 2}, {1, 2, 3, 4, 5, 6}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The hatches of the "Pattern" box are drawn as clipped lines: the bar and point charts.
void BM_PaintPatternedGraph(benchmark::State& state) {
    sampleProject();
    Charts.Pattern = true;
    ApplyFillPatterns();
    ChartModel model = Charts.Graph[state.range(1) - 1];
    model.view.enabled = state.range(0) > 0;
    paintRepeatedly(state, model);
    Charts.Pattern = false;
    ApplyFillPatterns();
}
BENCHMARK(BM_PaintPatternedGraph)
    ->ArgsProduct({{0, 1}, {3, 4, 5}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ReportPictures(benchmark::State& state) {
    QTemporaryDir dir;
    Shared.TempFolder = dir.path();
    Shared.GraphType = 5;
    sampleProject();
    Charts.Graph[4].size = QSize(640, 400);
    for (auto _ : state) {
        const bool ok = WriteReportPictures();
        if (!ok)
            state.SkipWithError("report pictures could not be written");
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_ReportPictures)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
