// Speed of the project files: writing and reading back a project (goal: median under 1 ms),
// and reading 50 MB of random bytes to the end with every question answered OK (goal: under
// 2 s, with memory that does not grow with the file).

#include "core/ParameterTable.h"
#include "core/SharedState.h"
#include "files/ProjectFile.h"
#include "platform/Desktop.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <sys/resource.h>

namespace {

class QuietDesktop : public platform::ConsoleDesktop {
public:
    platform::Answer message(platform::Icon, const QString&, platform::Buttons) override {
        ++shown;
        return platform::Answer::Ok;
    }
    void beep() override {}
    long shown = 0;
};

QuietDesktop& quietDesktop() {
    static QuietDesktop desktop;
    return desktop;
}

void setUpProject() {
    platform::setDesktop(&quietDesktop());
    ClearParameters();
    DefineAllParameters();
    Parameter(4).value = 12.34f;
    Parameter(5).value = 75.5f;
    const QStringList texts = {QStringLiteral("Ren\u00E9e M\u00FCller"),
                               QStringLiteral("Plant engineer"),
                               QStringLiteral("Caf\u00E9 \u20AC Works"),
                               QStringLiteral("1 Main Street"),
                               QStringLiteral("Springfield IL 62701"),
                               QStringLiteral("USA"),
                               QStringLiteral("+1 555 0100"),
                               QStringLiteral("+1 555 0101"),
                               QStringLiteral("renee@example.com"),
                               QStringLiteral("Cooling loop 7")};
    MemoryCustomerFields& fields = static_cast<MemoryCustomerFields&>(customerFields());
    for (int i = 0; i < CustomerFields::Count; ++i)
        fields.setText(CustomerFields::Field(i), texts[i]);
}

double peakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// The folder the project is saved in: argument 0 the system's temporary folder (on disk: the
// save waits until the data is on the disk), 1 a memory file system (the program's own work).
QString benchFolder(benchmark::State& state, std::unique_ptr<QTemporaryDir>& dir) {
    if (state.range(0) == 1 && !QFileInfo(QStringLiteral("/dev/shm")).isDir()) {
        state.SkipWithError("no /dev/shm");
        return {};
    }
    dir = state.range(0) == 1
              ? std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/enervane-bench-XXXXXX"))
              : std::make_unique<QTemporaryDir>();
    return dir->filePath(QStringLiteral("bench.KSF"));
}

void BM_WriteAndReadProject(benchmark::State& state) {
    setUpProject();
    std::unique_ptr<QTemporaryDir> dir;
    const QString name = benchFolder(state, dir);
    if (name.isEmpty())
        return;
    for (auto _ : state) {
        WriteProjectFile(name);
        benchmark::DoNotOptimize(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
    }
    platform::setDesktop(nullptr);
}
BENCHMARK(BM_WriteAndReadProject)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_WriteProject(benchmark::State& state) {
    setUpProject();
    std::unique_ptr<QTemporaryDir> dir;
    const QString name = benchFolder(state, dir);
    if (name.isEmpty())
        return;
    for (auto _ : state)
        WriteProjectFile(name);
    platform::setDesktop(nullptr);
}
BENCHMARK(BM_WriteProject)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ReadProject(benchmark::State& state) {
    setUpProject();
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("bench.KSF"));
    WriteProjectFile(name);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
    platform::setDesktop(nullptr);
}
BENCHMARK(BM_ReadProject)->Unit(benchmark::kMicrosecond);

// 50 MB of random bytes, written in small pieces so that making the file does not raise the
// peak memory the reader is judged by. Ctrl+Z (byte 26) ends a project file, so it is left out
// of the bytes: the reader has to go through all of them. Argument 1 puts the bytes in the
// parameter section; argument 2 makes them lines of the characters of parameter lines, so
// that many lines become questions.
void BM_ReadRandom50MB(benchmark::State& state) {
    setUpProject();
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("random.KSF"));
    constexpr qint64 Size = 50LL * 1024 * 1024;
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot create the random file");
            return;
        }
        if (state.range(0) >= 1)
            file.write("[APPLICATION]\r\nFAN\r\n[DATA ENERGY SAVER]\r\n");
        std::mt19937_64 random(20261211);
        QByteArray chunk(1 << 20, Qt::Uninitialized);
        for (qint64 written = file.size(); written < Size; written += chunk.size()) {
            for (qsizetype i = 0; i + 8 <= chunk.size(); i += 8) {
                const std::uint64_t word = random();
                std::memcpy(chunk.data() + i, &word, 8);
            }
            std::replace(chunk.begin(), chunk.end(), '\x1a', '\x1b');
            if (state.range(0) == 2) {
                static const char alphabet[] = "P0123456789=:,;-.A1 \r\n";
                for (char& c : chunk)
                    c = alphabet[static_cast<unsigned char>(c) % (sizeof alphabet - 1)];
            }
            file.write(chunk.constData(), std::min<qint64>(chunk.size(), Size - written));
        }
    }
    const double rssBefore = peakRssMegabytes();
    quietDesktop().shown = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
    state.SetBytesProcessed(state.iterations() * Size);
    state.counters["messages"] =
        static_cast<double>(quietDesktop().shown) / static_cast<double>(state.iterations());
    state.counters["peak_rss_MB_before"] = rssBefore;
    state.counters["peak_rss_MB_after"] = peakRssMegabytes();
    platform::setDesktop(nullptr);
}
BENCHMARK(BM_ReadRandom50MB)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
