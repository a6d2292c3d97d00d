// One evaluation as the calculator window makes it: a new evaluator per
// text, rewritten and read once. A keystroke-sized budget is far above these.
#include "core/calc/CalcEvaluator.h"
#include "core/calc/CalcText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void Evaluate(benchmark::State &state, const std::string &text, bool bSubstitute)
{
    for (auto _ : state) {
        CCalcEvaluator e(text);
        e.SetBase(-1);
        benchmark::DoNotOptimize(e.Evaluate(bSubstitute, 1.25));
    }
}

void BM_Short(benchmark::State &state) { Evaluate(state, "2+3*4", false); }
void BM_Scientific(benchmark::State &state) { Evaluate(state, "2*sin(30)^2+acsch(1)-20ncr10/!5+1.5e-07", false); }
void BM_Substitute(benchmark::State &state) { Evaluate(state, "x^3-2x^2+sin(x)*ln(x)", true); }
void BM_Long(benchmark::State &state)
{
    std::string text = "1";
    for (int i = 0; i < state.range(0); ++i)
        text += "+2*3^-1";
    Evaluate(state, text, false);
    state.SetComplexityN(state.range(0));
}

// The longest text the window accepts, in the shapes that cost it most: a
// run of minus signs, negated brackets, negated powers.
void BM_Longest(benchmark::State &state)
{
    const char *const units[] = {"-", "--(", "-2^-"};
    std::string text;
    while (text.size() < kMaxCalcTextLength - 1)
        text += units[state.range(0)];
    text.resize(kMaxCalcTextLength - 1);
    Evaluate(state, text + "1", false);
}

BENCHMARK(BM_Short);
BENCHMARK(BM_Scientific);
BENCHMARK(BM_Substitute);
BENCHMARK(BM_Long)->RangeMultiplier(4)->Range(16, 1024)->Complexity();
BENCHMARK(BM_Longest)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
