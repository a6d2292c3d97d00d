#pragma once

#include "core/analysis/Progress.h"
#include "core/analysis/RootFinder.h"

#include <functional>
#include <string>

// The search shared by the extrema and inflection finders: the poles of f,
// then the roots of a derivative and of its reciprocal, with the caller's
// classification after each of the two runs. False when cancelled.
struct SPointSearch
{
    const std::string &function;
    const std::string &derivative;
    bool near;  // [from - 1, from + 1] with the fine step, else [from, to]
    double from;
    double to;
    double tolerance;
};

bool RunPointSearch(const SPointSearch &search, CRootFinder &poles, CRootFinder &roots,
                    const std::function<void(int run)> &classify, const ProgressCallback &progress);

// A point counts as on a pole of f when an accepted pole lies within 0.1 of
// it: the reciprocal run may stop a little short of the pole.
bool IsNearPole(const CRootFinder &poles, double x);

// The text of f' of a function text (twice: f'').
std::string DerivativeText(const std::string &function, int order);
