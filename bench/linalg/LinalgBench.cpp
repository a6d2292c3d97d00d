// Determinant, inverse and adjugate of random 50 x 50 matrices, a 200 x 200
// system, and laying out and filling a 200 x 200 grid as the tools do.
#include "core/linalg/LinearSystem.h"
#include "core/linalg/Matrix.h"
#include "core/expr/ShownNumber.h"
#include "gui/linalg/EditGrid.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <random>

namespace {

CMatrix RandomMatrix(int n)
{
    std::mt19937 gen(42);
    std::uniform_real_distribution<double> value(-10.0, 10.0);
    CMatrix m(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            m.At(i, j) = value(gen);
    return m;
}

void BM_Determinant(benchmark::State &state)
{
    const CMatrix a = RandomMatrix(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(a.Determinant());
}
BENCHMARK(BM_Determinant)->Arg(8)->Arg(50)->Unit(benchmark::kMillisecond);

// Whole numbers from -9 to 9: exact by fraction-free elimination at 20 x 20;
// at 50 x 50 the minors outgrow 128 bits and LU takes over (the worst case).
void BM_WholeDeterminant(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> value(-9, 9);
    CMatrix a(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a.At(i, j) = value(gen);
    for (auto _ : state)
        benchmark::DoNotOptimize(a.Determinant());
}
BENCHMARK(BM_WholeDeterminant)->Arg(10)->Arg(20)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_Inverse(benchmark::State &state)
{
    const CMatrix a = RandomMatrix(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(a.Inverse());
}
BENCHMARK(BM_Inverse)->Arg(8)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_Adjugate(benchmark::State &state)
{
    const CMatrix a = RandomMatrix(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(a.Adjugate());
}
BENCHMARK(BM_Adjugate)->Arg(8)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_Solve(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    const CMatrix a = RandomMatrix(n);
    std::vector<double> augmented;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            augmented.push_back(a.At(i, j));
        augmented.push_back(i);
    }
    for (auto _ : state) {
        CLinearSystem system(n, augmented);
        benchmark::DoNotOptimize(system.Solve());
    }
}
BENCHMARK(BM_Solve)->Arg(200)->Unit(benchmark::kMillisecond);

// A fresh grid each time: shape, headers, row heights and every cell's text.
void BM_GridLayoutAndFill(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    const CMatrix a = RandomMatrix(n);
    for (auto _ : state) {
        CEditGrid grid;
        grid.resize(800, 600);
        grid.SetRows(n + 1);
        grid.SetCols(n + 1);
        grid.SetRowHeights(400);
        grid.WriteNumberHeaders();
        grid.WriteMatrix(a, &ShownExact);
        grid.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_GridLayoutAndFill)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace
