#pragma once

#include <cstddef>
#include <vector>

class CProgram;

// Runs a program over many points, token-outer and sample-inner: each
// instruction sweeps one row of samples per stack level. Every value is bit
// for bit the single evaluator's: the same operations in the same order.
class CBulkEvaluator
{
public:
    // y[i] = value at x[i] for i < n; x and y may alias.
    void Run(const CProgram &program, const double *x, double *y, std::size_t n, double angleFactor);

private:
    std::vector<double> m_aRows;  // one row per stack level
};
