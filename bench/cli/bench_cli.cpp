// `enervane-cli calc` as a whole process: start, settings store, reading the file twice,
// the calculation and the JSON, on a default fan project.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QByteArray projectText() {
    const QStringList values{"24",   "7",     "52", "10.00", "150.0", "95.0", "97.0",
                             "10.0", "20000", "1",  "2",     "9",     "17",   "24",
                             "17",   "13",    "11", "6",     "0",     "1"};
    QStringList lines{"[FILE INFO]",
                      "",
                      "FILE TYPE  : QVN ENERGY FILE 1.005.10",
                      "DATE       : 12/11/2026",
                      "",
                      "[APPLICATION]",
                      "",
                      "FAN",
                      "",
                      "[INCENTIVE]",
                      "",
                      "[DATA ENERGY SAVER]",
                      ""};
    for (int i = 0; i < values.size(); ++i) {
        const QString n = QString::number(i + 1).rightJustified(2, QLatin1Char('0'));
        lines << QStringLiteral("P0%1=A1-%1=").arg(n) +
                     (values.at(i) + QLatin1Char(';')).leftJustified(15) + QString(7, ' ');
    }
    lines << ""
          << "[INFO]";
    for (int i = 0; i < 10; ++i)
        lines << QStringLiteral("line %1").arg(i);
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
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
