// ns per evaluation of CExpression (single and bulk) against muParser,
// fparser and the same function written as a C++ lambda.
#include "core/expr/Expression.h"

#include <benchmark/benchmark.h>
#include <fparser.hh>
#include <muParser.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kPoints = 1024;
constexpr double kDeg = 0.017453292519943295;

struct Case
{
    const char *name;
    std::string ours;
    std::string mu;   // muParser syntax
    std::string fp;   // fparser syntax
    bool degree;
    double (*native)(double);
};

const std::vector<Case> &Cases()
{
    static const std::string sixty =
        "(x+1)*(x-2)/(x+3)+sin(x)*cos(x)-(x^2+2*x+1)/(x^2+4)+3*x-7+x*x*x-2/(x+5)+ln(x^2+1)";
    static const std::vector<Case> cases = {
        {"polynomial", "3*x^3-2*x^2+x-5", "3*x^3-2*x^2+x-5", "3*x^3-2*x^2+x-5", false,
         [](double x) { return 3 * (x * x * x) - 2 * (x * x) + x - 5; }},
        {"x^2", "x^2", "x^2", "x^2", false, [](double x) { return x * x; }},
        {"x^3", "x^3", "x^3", "x^3", false, [](double x) { return x * x * x; }},
        {"nested trig", "sin(cos(tan(x)))", "sin(cos(tan(x)))", "sin(cos(tan(x)))", false,
         [](double x) { return std::sin(std::cos(std::tan(x))); }},
        {"rational", "(x^2+1)/(x^2-4)", "(x^2+1)/(x^2-4)", "(x^2+1)/(x^2-4)", false,
         [](double x) { return (x * x + 1) / (x * x - 4); }},
        {"ln/exp", "ln(x^2+1)*2.718281828^(-x/2)", "ln(x^2+1)*2.718281828^(-x/2)",
         "log(x^2+1)*2.718281828^(-x/2)", false,
         [](double x) { return std::log(x * x + 1) * std::pow(2.718281828, -x / 2); }},
        {"hyperbolic", "sinh(x)/cosh(x)+tanh(x/2)", "sinh(x)/cosh(x)+tanh(x/2)", "sinh(x)/cosh(x)+tanh(x/2)", false,
         [](double x) { return std::sinh(x) / std::cosh(x) + std::tanh(x / 2); }},
        {"60 tokens", sixty, sixty, "(x+1)*(x-2)/(x+3)+sin(x)*cos(x)-(x^2+2*x+1)/(x^2+4)+3*x-7+x*x*x-2/(x+5)+log(x^2+1)",
         false,
         [](double x) {
             return (x + 1) * (x - 2) / (x + 3) + std::sin(x) * std::cos(x) - (x * x + 2 * x + 1) / (x * x + 4) +
                    3 * x - 7 + x * x * x - 2 / (x + 5) + std::log(x * x + 1);
         }},
        {"degree mode", "sin(x)+cos(2*x)", "sin(x*0.017453292519943295)+cos(2*x*0.017453292519943295)",
         "sin(x*0.017453292519943295)+cos(2*x*0.017453292519943295)", true,
         [](double x) { return std::sin(kDeg * x) + std::cos(kDeg * (2 * x)); }},
    };
    return cases;
}

std::vector<double> Points()
{
    std::vector<double> xs(kPoints);
    for (std::size_t i = 0; i < kPoints; ++i)
        xs[i] = -10.0 + 20.0 * static_cast<double>(i) / kPoints + 0.000123;
    return xs;
}

void Finish(benchmark::State &state)
{
    state.counters["ns/eval"] = benchmark::Counter(static_cast<double>(state.iterations() * kPoints),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void OursSingle(benchmark::State &state, const Case &c)
{
    CExpression e;
    e.SetExpression(c.ours);
    const auto xs = Points();
    for (auto _ : state) {
        double sum = 0;
        for (double x : xs) {
            if (c.degree)
                e.m_bDegree = true;
            sum += e.Evaluate(x);
        }
        benchmark::DoNotOptimize(sum);
    }
    Finish(state);
}

void OursBulk(benchmark::State &state, const Case &c)
{
    CExpression e;
    e.SetExpression(c.ours);
    const auto xs = Points();
    std::vector<double> ys(kPoints);
    for (auto _ : state) {
        e.m_bDegree = c.degree;
        e.EvaluateMany(xs.data(), ys.data(), kPoints);
        benchmark::DoNotOptimize(ys.data());
        benchmark::ClobberMemory();
    }
    Finish(state);
}

void MuSingle(benchmark::State &state, const Case &c)
{
    double x = 0;
    mu::Parser p;
    p.DefineVar("x", &x);
    p.SetExpr(c.mu);
    const auto xs = Points();
    for (auto _ : state) {
        double sum = 0;
        for (double v : xs) {
            x = v;
            sum += p.Eval();
        }
        benchmark::DoNotOptimize(sum);
    }
    Finish(state);
}

void MuBulk(benchmark::State &state, const Case &c)
{
    auto xs = Points();
    std::vector<double> ys(kPoints);
    mu::Parser p;
    p.DefineVar("x", xs.data());
    p.SetExpr(c.mu);
    for (auto _ : state) {
        p.Eval(ys.data(), static_cast<int>(kPoints));
        benchmark::DoNotOptimize(ys.data());
        benchmark::ClobberMemory();
    }
    Finish(state);
}

void FParser(benchmark::State &state, const Case &c)
{
    FunctionParser fp;
    if (fp.Parse(c.fp, "x") >= 0) {
        state.SkipWithError(fp.ErrorMsg());
        return;
    }
    fp.Optimize();
    const auto xs = Points();
    for (auto _ : state) {
        double sum = 0;
        for (double x : xs)
            sum += fp.Eval(&x);
        benchmark::DoNotOptimize(sum);
    }
    Finish(state);
}

void Native(benchmark::State &state, const Case &c)
{
    const auto xs = Points();
    std::vector<double> ys(kPoints);
    auto *f = c.native;
    for (auto _ : state) {
        for (std::size_t i = 0; i < kPoints; ++i)
            ys[i] = f(xs[i]);
        benchmark::DoNotOptimize(ys.data());
        benchmark::ClobberMemory();
    }
    Finish(state);
}

// Compiling must stay linear in the text: second derivatives can be long.
void Compile(benchmark::State &state)
{
    std::string text = "1";
    for (int i = 0; i < state.range(0); ++i)
        text += "+2pi*sin(x)e";
    for (auto _ : state) {
        CExpression e;
        e.SetExpression(text);
        benchmark::DoNotOptimize(e.m_strPostfix.data());
    }
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}
BENCHMARK(Compile)->Range(1000, 100000)->Complexity();

}  // namespace

int main(int argc, char **argv)
{
    for (const Case &c : Cases()) {
        const std::string n = c.name;
        benchmark::RegisterBenchmark((n + "/corvanta single").c_str(), OursSingle, c);
        benchmark::RegisterBenchmark((n + "/corvanta bulk").c_str(), OursBulk, c);
        benchmark::RegisterBenchmark((n + "/muparser single").c_str(), MuSingle, c);
        benchmark::RegisterBenchmark((n + "/muparser bulk").c_str(), MuBulk, c);
        benchmark::RegisterBenchmark((n + "/fparser").c_str(), FParser, c);
        benchmark::RegisterBenchmark((n + "/native lambda").c_str(), Native, c);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
