// Integration throughput against bulk evaluation of the same expression, and
// the largest points table.
#include "core/analysis/Integration.h"
#include "core/analysis/PointsTable.h"
#include "core/expr/Expression.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const char *const kFunction = "sin(x)*x^2";
constexpr std::int64_t kSteps = 10000000;

// The reference: EvaluateMany over 1e7 points, in the batches the sums use.
void BM_BulkEvaluation(benchmark::State &state)
{
    CExpression f;
    f.SetExpression(kFunction);
    const std::size_t batch = 1024;
    std::vector<double> x(batch), y(batch);
    double sink = 0;
    for (auto _ : state) {
        for (std::int64_t first = 0; first < kSteps; first += batch) {
            for (std::size_t i = 0; i < batch; ++i)
                x[i] = static_cast<double>(first + static_cast<std::int64_t>(i)) * 1e-6;
            f.EvaluateMany(x.data(), y.data(), batch);
            sink += y[0];
        }
    }
    benchmark::DoNotOptimize(sink);
    state.SetItemsProcessed(state.iterations() * kSteps);
}

// One integral over 1e7 sub-intervals; items are function evaluations.
void BM_Integrate(benchmark::State &state)
{
    const auto rule = static_cast<EIntegrationRule>(state.range(0));
    CExpression f;
    f.SetExpression(kFunction);
    double sink = 0;
    for (auto _ : state)
        sink += Integrate(f, 0, 10, 1e-6, rule).value;
    benchmark::DoNotOptimize(sink);
    const std::int64_t evaluations = rule == EIntegrationRule::MidPoint ? kSteps
                                     : rule == EIntegrationRule::Trapezoid ? kSteps + 1
                                                                            : 2 * kSteps + 1;
    state.SetItemsProcessed(state.iterations() * evaluations);
}

// 10,001 rows, from the computation to the finished lines.
void BM_PointsTable(benchmark::State &state)
{
    for (auto _ : state) {
        auto lines = ComputePointsTable(kFunction, {-5000, 5000, 1});
        benchmark::DoNotOptimize(lines.data());
    }
}

}  // namespace

BENCHMARK(BM_BulkEvaluation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Integrate)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PointsTable)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
