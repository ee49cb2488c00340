// One energy model run and results page of the default fan estimation with a drive cost, an
// incentive and both user curves shown: what every page change of the wizard costs.
#include "calc/CalcResults.h"
#include "calc/Calculation.h"
#include "calc/ResultsPage.h"
#include "calc/WizardFields.h"
#include "core/ParameterTable.h"
#include "core/SharedState.h"
#include "setup/SetupOptions.h"

#include <benchmark/benchmark.h>

namespace {

void prepare() {
    ApplyLocaleMarks(QStringLiteral("."), QStringLiteral(","));
    ClearParameters();
    DefineAllParameters();
    LoadFieldsFromParameters();
    FieldText(8) = QStringLiteral("10.0");
    FieldText(9) = QStringLiteral("20000");
    Setup.Custom1Enabled = true;
    Setup.Custom2Enabled = true;
    CaptureDutyCycle();
}

void BM_CalculateEnergyAndShowSavings(benchmark::State& state) {
    prepare();
    const int app = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CalculateEnergy(app);
        ShowSavings(app);
        benchmark::DoNotOptimize(Results.FanVfdTotalCost);
    }
    if (resultsPage().value(QStringLiteral("PAYBACKVALUE1")).text.isEmpty())
        state.SkipWithError("the results page was not filled");
}
BENCHMARK(BM_CalculateEnergyAndShowSavings)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_CalculateEnergyOnly(benchmark::State& state) {
    prepare();
    for (auto _ : state) {
        CalculateEnergy(1);
        benchmark::DoNotOptimize(Results.FanVfdTotalCost);
    }
}
BENCHMARK(BM_CalculateEnergyOnly)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
