// Root, extremum and inflection searches against a native loop that
// evaluates std::sin at the same scan points in the same run.
#include "core/analysis/DecimalRounder.h"
#include "core/analysis/ExtremaFinder.h"
#include "core/analysis/InflexFinder.h"
#include "core/analysis/RootFinder.h"
#include "core/expr/Expression.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr double kFrom = -5000000.0;
constexpr double kTo = 5000000.0;
constexpr double kStep = 0.1;

// Calls fn(points, n) for the scan points of [from, to] in batches, made
// as the scan makes them; returns how many there were.
template <class Fn>
long ForScanPoints(double from, double to, long limit, Fn fn)
{
    const CDecimalRounder round6(6);
    std::array<double, 1024> points{};
    double x = round6(from);
    long total = 1;
    points[0] = x;
    std::size_t n = 1;
    bool more = true;
    while (more && total < limit) {
        for (; n < points.size() && more && total < limit; ++n, ++total) {
            const double sum = x + kStep;
            points[n] = round6(sum);
            more = sum <= to && points[n] > x;
            x = points[n];
        }
        fn(points.data(), n);
        n = 0;
    }
    return total;
}

// Scan points the root search of sin(x) looks at before its candidate
// table is full, found by running it once.
long SinScanPoints()
{
    CRootFinder finder;
    finder.SearchDomain("sin(x)", kFrom, kTo, 1e-6);
    return std::lround((finder.m_dCandidates[CRootFinder::kMaxCandidates - 1] - kFrom) / kStep) + 1;
}

void BM_RootsOfSin(benchmark::State &state)
{
    for (auto _ : state) {
        CRootFinder finder;
        finder.SearchDomain("sin(x)", kFrom, kTo, 1e-6);
        benchmark::DoNotOptimize(finder.m_dRoots[0]);
    }
    state.counters["points"] = static_cast<double>(SinScanPoints());
}

void BM_NativeSinAtTheSamePoints(benchmark::State &state)
{
    const long limit = SinScanPoints();
    for (auto _ : state) {
        double sum = 0;
        ForScanPoints(kFrom, kTo, limit, [&](const double *x, std::size_t n) {
            for (std::size_t i = 0; i < n; ++i)
                sum += std::sin(x[i]);
        });
        benchmark::DoNotOptimize(sum);
    }
}

// A function without roots keeps the scan going over all 1e8 points.
void BM_FullScanOfSinPlusTwo(benchmark::State &state)
{
    for (auto _ : state) {
        CRootFinder finder;
        finder.SearchDomain("sin(x)+2", kFrom, kTo, 1e-6);
        benchmark::DoNotOptimize(finder.m_nCount);
    }
}

void BM_NativeSinPlusTwoAtTheSamePoints(benchmark::State &state)
{
    long points = 0;
    for (auto _ : state) {
        double sum = 0;
        points = ForScanPoints(kFrom, kTo, 1L << 62, [&](const double *x, std::size_t n) {
            for (std::size_t i = 0; i < n; ++i)
                sum += std::sin(x[i]) + 2;
        });
        benchmark::DoNotOptimize(sum);
    }
    state.counters["points"] = static_cast<double>(points);
}

// Only the bulk evaluation, of 1e8 points spread like the scan's: every
// hundredth scan point, evaluated a hundred times. Against the full scan
// this is the share of its time spent in evaluation.
void BM_EvaluationOnly(benchmark::State &state)
{
    std::vector<double> sample;
    long index = 0;
    ForScanPoints(kFrom, kTo, 1L << 62, [&](const double *x, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i, ++index)
            if (index % 100 == 0)
                sample.push_back(x[i]);
    });
    CExpression f;
    f.SetExpression("sin(x)+2");
    std::vector<double> y(sample.size());
    for (auto _ : state) {
        for (int r = 0; r < 100; ++r)
            f.EvaluateMany(sample.data(), y.data(), sample.size());
        benchmark::DoNotOptimize(y[0]);
    }
    state.counters["points"] = 100.0 * static_cast<double>(sample.size());
}

void BM_ExtremaOfXSinX(benchmark::State &state)
{
    for (auto _ : state) {
        CExtremaFinder finder;
        finder.SearchDomain("sin(x)*x", -25000, 25000, 1e-6);
        benchmark::DoNotOptimize(finder.m_nCount);
    }
}

void BM_InflexionOfXSinX(benchmark::State &state)
{
    for (auto _ : state) {
        CInflexFinder finder;
        finder.SearchDomain("sin(x)*x", -25000, 25000, 1e-6);
        benchmark::DoNotOptimize(finder.m_nCount);
    }
}

}  // namespace

BENCHMARK(BM_RootsOfSin)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NativeSinAtTheSamePoints)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullScanOfSinPlusTwo)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_NativeSinPlusTwoAtTheSamePoints)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EvaluationOnly)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExtremaOfXSinX)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InflexionOfXSinX)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
