// Sampling of whole pictures, the per-column polyline sampler next to the
// interval column sampler: five ordinary functions at full-HD and 4K widths,
// five hard ones at full-HD. Sampling is most of a redraw.
#include "core/expr/Expression.h"
#include "core/plot/ColumnSampler.h"
#include "core/plot/CurvePath.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

namespace {

struct SCurve
{
    const char *text;
    double halfWidth;   // x from -halfWidth to halfWidth; 0: one unit is 50 pixels
    double halfHeight;  // the same for y
};

const std::array<SCurve, 5> kOrdinary = {{
    {"sin(x)", 0, 0}, {"x^3-4*x", 0, 0}, {"1/x", 0, 0}, {"ln(x)", 0, 0}, {"tan(x)", 0, 0},
}};
const std::array<SCurve, 5> kHard = {{
    {"sin(1000x)", 5, 3},
    {"tan(x)", 500, 5},
    {"sin(1/x)", 1, 2},
    {"1/(1+((x-0.3001)/0.0001)^2)", 1, 1.5},
    {"exp(sin(300x))", 5, 3},
}};

struct SPicture
{
    SPlotMapping map;
    float step;
    int width, height;
};

SPicture PictureOf(const SCurve &c, int w, int h)
{
    SPicture p;
    p.width = w;
    p.height = h;
    p.map.w2 = w / 2;
    p.map.h2 = h / 2;
    p.map.scaleX = c.halfWidth > 0 ? w / (2 * c.halfWidth * SPlotMapping::kUnit) : 1.0;
    p.map.scaleY = c.halfHeight > 0 ? h / (2 * c.halfHeight * SPlotMapping::kUnit) : 1.0;
    p.step = static_cast<float>(1.0 / (SPlotMapping::kUnit * p.map.scaleX));
    return p;
}

template <std::size_t N>
void Polyline(benchmark::State &state, const std::array<SCurve, N> &curves)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    std::array<CExpression, N> f;
    for (std::size_t i = 0; i < N; ++i)
        f[i].SetExpression(curves[i].text);
    CCurvePath path;
    for (auto _ : state)
        for (std::size_t i = 0; i < N; ++i) {
            const SPicture p = PictureOf(curves[i], w, h);
            PlotCurve(f[i], w, h, p.step, HUGE_VAL, p.map.scaleX, p.map.scaleY, 0, 0, path);
            benchmark::DoNotOptimize(path.Points().data());
        }
    state.counters["pictures/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

template <std::size_t N>
void Columns(benchmark::State &state, const std::array<SCurve, N> &curves)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    std::array<CExpression, N> f;
    for (std::size_t i = 0; i < N; ++i)
        f[i].SetExpression(curves[i].text);
    CColumnSampler sampler;
    std::size_t ranges = 0;
    for (auto _ : state)
        for (std::size_t i = 0; i < N; ++i) {
            const SPicture p = PictureOf(curves[i], w, h);
            sampler.SampleView(f[i], w, h, p.step, HUGE_VAL, p.map);
            ranges += sampler.m_nRanges;
            benchmark::DoNotOptimize(sampler.Spans().data());
        }
    state.counters["pictures/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["ranges/picture"] = static_cast<double>(ranges) / static_cast<double>(state.iterations());
}

void BM_OrdinaryPolyline(benchmark::State &state) { Polyline(state, kOrdinary); }
void BM_OrdinaryColumns(benchmark::State &state) { Columns(state, kOrdinary); }
void BM_HardPolyline(benchmark::State &state) { Polyline(state, kHard); }
void BM_HardColumns(benchmark::State &state) { Columns(state, kHard); }

}  // namespace

BENCHMARK(BM_OrdinaryPolyline)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrdinaryColumns)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HardPolyline)->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HardColumns)->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
