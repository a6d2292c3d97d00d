// Differentiating and simplifying typical functions, and their second
// derivatives (the extrema and inflection pages do both on every Calculate).
#include <benchmark/benchmark.h>

#include <string>

#include "core/deriv/Derivative.h"
#include "core/expr/Expression.h"

namespace {

const char *const kFunctions[] = {
    "x^2",
    "sin(x)",
    "3*x^4-2*x^2+x-7",
    "x^2*sin(x)",
    "e^(-x^2)",
    "(x^2+1)/(x-3)",
    "ln(x^2+1)/x",
    "tan(x)*sec(x)",
    "x^x",
    "asinh(x)/(1+x^2)^0.5",
    "sin(x^2+cos(x))*e^(x/2)-log(x^4+1)",
};

std::string Coded(const char *text)
{
    CExpression e;
    e.SetExpression(text);
    return e.m_strCoded;
}

void FirstDerivative(benchmark::State &state)
{
    const char *text = kFunctions[state.range(0)];
    const std::string coded = Coded(text);
    std::size_t length = 0;
    for (auto _ : state) {
        CDerivative d(coded);
        length = d.GetResult().size();
        benchmark::DoNotOptimize(length);
    }
    state.SetLabel(std::string(text) + " (" + std::to_string(length) + " chars)");
}

void SecondDerivative(benchmark::State &state)
{
    const char *text = kFunctions[state.range(0)];
    const std::string coded = Coded(text);
    std::size_t length = 0;
    for (auto _ : state) {
        CDerivative d(coded);
        d.Rederive(d.GetResult());
        length = d.GetResult().size();
        benchmark::DoNotOptimize(length);
    }
    state.SetLabel(std::string(text) + " (" + std::to_string(length) + " chars)");
}

constexpr int kCount = static_cast<int>(sizeof kFunctions / sizeof kFunctions[0]);

BENCHMARK(FirstDerivative)->DenseRange(0, kCount - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(SecondDerivative)->DenseRange(0, kCount - 1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
