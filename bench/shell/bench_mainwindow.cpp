// Speed of the program's start: creating the main window and the about box and showing the
// main window for the first time (its settings, setup options and status line), in process,
// offscreen. Goal: median under 100 ms.

#include "core/SharedState.h"
#include "platform/Desktop.h"
#include "shell/EnervaneApplication.h"
#include "shell/TAboutBox.h"
#include "shell/TForm1.h"

#include <QLabel>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_CreateAndShowWindows(benchmark::State& state) {
    for (auto _ : state) {
        InitSharedState();
        auto form = std::make_unique<TForm1>(QStringList{});
        auto about = std::make_unique<TAboutBox>(form.get());
        form->show();
        QCoreApplication::processEvents(); // the first paint
        benchmark::DoNotOptimize(form->StatusPanel1->text());
        state.PauseTiming();
        about.reset();
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CreateAndShowWindows)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Private settings, and an update server that is never asked (the check waits 3 s).
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("ENERVANE_UPDATE_URL", "http://127.0.0.1:9");
    EnervaneApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
