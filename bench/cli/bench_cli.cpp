// `enervane-cli calc` as a whole process: start, settings store, reading the file twice,
// the calculation and the JSON, on a default fan project.
#include "HandWrittenProject.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A default fan project with a drive cost and an incentive, so the paybacks are figures.
QByteArray projectText() {
    QStringList values = DefaultProjectValues();
    values[7] = QStringLiteral("10.0");  // incentive per HP
    values[8] = QStringLiteral("20000"); // drive cost
    return HandWrittenProject(QStringLiteral("FAN"), values);
}

void BM_CliCalcProcess(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("fan.KSF"));
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the project file");
            return;
        }
        out.write(projectText());
    }
    QDir().mkpath(dir.filePath(QStringLiteral("config")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ENERVANE_CLI), {QStringLiteral("calc"), file});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("enervane-cli calc failed");
            return;
        }
        benchmark::DoNotOptimize(process.readAllStandardOutput());
    }
}
BENCHMARK(BM_CliCalcProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
