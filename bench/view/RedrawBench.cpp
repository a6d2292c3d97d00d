// Redraw of the graph view with five functions and five derivatives shown,
// into the off-screen picture, at full-HD and 4K sizes.
#include "core/plot/CurvePath.h"
#include "graph/render/GraphRenderer.h"
#include "graph/model/Graph.h"
#include "gui/view/CorvantaView.h"

#include <benchmark/benchmark.h>

#include <QPainter>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace {

const char *const kFunctions[] = {"sin(x)", "x^3-4*x", "1/x", "ln(x)", "tan(x)"};

void Fill(CCorvantaView &view)
{
    for (int i = 0; i < CViewState::kSlots; ++i) {
        view.Graph().Plot(kFunctions[i]);
        view.Graph().Differentiate(i);
    }
}

// The whole redraw as the view does it after every command.
void BM_Redraw(benchmark::State &state)
{
    CCorvantaView view;
    view.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    Fill(view);
    view.Redraw();
    for (auto _ : state)
        view.Redraw();
    state.counters["redraws/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The same picture with the time split into sampling the curves
// (evaluation and joining) and painting everything.
void BM_RedrawSplit(benchmark::State &state)
{
    CCorvantaView view;
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    view.resize(w, h);
    Fill(view);
    QImage picture(w, h, QImage::Format_RGB32);
    SRenderTiming timing;
    for (auto _ : state) {
        QPainter p(&picture);
        view.RenderTo(p, QRect(0, 0, w, h), 1.0, &timing);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["sample_ms"] = timing.sampleMs / n;
    state.counters["paint_ms"] = timing.paintMs / n;
    state.counters["sample_share"] = timing.sampleMs / (timing.sampleMs + timing.paintMs);
}

// Sampling alone: the ten curves without any painting.
void BM_SampleOnly(benchmark::State &state)
{
    CCorvantaView view;
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    view.resize(w, h);
    Fill(view);
    CViewState s = view.State();
    s.SetClientSize(w, h);
    CCurvePath path;
    for (auto _ : state) {
        for (int i = 0; i < CViewState::kSlots; ++i) {
            for (CExpression *f : {&s.m_aDerivatives[i], &s.m_aFunctions[i]}) {
                PlotCurve(*f, w, h, s.SampleStep(), s.HalfRange(w), 1, 1, 0, 0, path);
                benchmark::DoNotOptimize(path.Points().data());
            }
        }
    }
}

// The same redraw with the results on it: 300 marks spread over the five
// curves and their kinds, the last one highlighted, a shaded integral and
// the legend.
void BM_RedrawResults(benchmark::State &state)
{
    CCorvantaView view;
    view.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    Fill(view);
    std::vector<SGraphMark> marks;
    for (int i = 0; i < 300; ++i) {
        const int slot = i % CViewState::kSlots;
        const double x = -19.0 + 38.0 * i / 300;
        marks.push_back({slot, -1, x, view.Graph().ValueAt(slot, x), static_cast<EMarkKind>(i % 5),
                         EMarkSource::Command, "(" + std::to_string(x) + ", ...)"});
    }
    view.Graph().Mark(EMarkSource::Command, std::move(marks));
    view.Graph().Highlight(EMarkSource::Command, 299);
    view.Graph().Shade(SShading{1, -3, 2.5, "Integral from -3 to 2.5 = 1.234567 (trapezoid rule, step 0.01)"});
    view.Graph().SetShowLegend(true);
    view.Redraw();
    for (auto _ : state)
        view.Redraw();
    state.counters["redraws/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Panning by dragging: a redraw after each one-pixel move.
void BM_DragRedraw(benchmark::State &state)
{
    CCorvantaView view;
    view.resize(1920, 1080);
    Fill(view);
    int dx = 1;
    for (auto _ : state) {
        view.Graph().Pan(dx, dx);  // the view redraws on the model's change
        dx = -dx;
    }
}

// The graph alone, as every picture draws it: five ordinary functions.
void BM_RedrawFive(benchmark::State &state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    CGraph graph;
    graph.SetClientSize(w, h);
    for (const char *f : kFunctions)
        graph.Plot(f);
    QImage picture(w, h, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&picture);
        graph.Draw(p, QRect(0, 0, w, h), 1.0, Qt::white);
    }
    state.counters["redraws/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Five hard functions, each in the window where it is hard: fast
// oscillation, many poles, an essential singularity, a narrow peak.
void BM_RedrawHard(benchmark::State &state)
{
    struct SHard
    {
        const char *text;
        std::array<std::string, 4> range;
    };
    const SHard hard[] = {
        {"sin(1000x)", {"-5", "5", "-3", "3"}},
        {"tan(x)", {"-500", "500", "-5", "5"}},
        {"sin(1/x)", {"-1", "1", "-2", "2"}},
        {"1/(1+((x-0.3001)/0.0001)^2)", {"-1", "1", "-1.5", "1.5"}},
        {"exp(sin(300x))", {"-5", "5", "-3", "3"}},
    };
    const int w = 1920, h = 1080;
    std::vector<std::unique_ptr<CGraph>> graphs;
    for (const SHard &c : hard) {
        graphs.push_back(std::make_unique<CGraph>());
        graphs.back()->SetClientSize(w, h);
        graphs.back()->Plot(c.text);
        graphs.back()->SetDomain(c.range);
    }
    QImage picture(w, h, QImage::Format_RGB32);
    std::size_t pictures = 0;
    for (auto _ : state) {
        CGraph &graph = *graphs[pictures++ % graphs.size()];
        QPainter p(&picture);
        graph.Draw(p, QRect(0, 0, w, h), 1.0, Qt::white);
    }
    state.counters["redraws/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// A slider drag: five functions that use the parameter, their derivatives
// and the legend; each step sets a value as part of one gesture, and the
// view redraws on the model's change. Nothing is compiled per value.
void BM_SliderDrag(benchmark::State &state)
{
    const char *const parametric[] = {"a*sin(x)", "x^3-a*x", "a/x", "ln(a*x)", "tan(a*x)"};
    CCorvantaView view;
    view.resize(1920, 1080);
    for (int i = 0; i < CViewState::kSlots; ++i) {
        view.Graph().Plot(parametric[i]);
        view.Graph().Differentiate(i);
    }
    view.Graph().SetShowLegend(true);
    view.Graph().SetGesture(view.Graph().NewGesture());
    SParameter a;
    int position = 0;
    for (auto _ : state) {
        position = (position + 1) % 100;
        a.value = SnapToStep(a, a.min + position * a.step);
        view.Graph().SetParameter('a', a);
    }
    view.Graph().SetGesture(0);
    state.counters["redraws/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_SliderDrag)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Redraw)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawResults)->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawSplit)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SampleOnly)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawFive)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawHard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragRedraw)->Unit(benchmark::kMillisecond);
