#include "core/analysis/PointSearch.h"

#include "core/deriv/Derivative.h"
#include "core/expr/Expression.h"

#include <cmath>

bool RunPointSearch(const SPointSearch &search, CRootFinder &poles, CRootFinder &roots,
                    const std::function<void(int run)> &classify, const ProgressCallback &progress)
{
    const std::string texts[] = {"1/(" + search.function + ")", search.derivative, "1/(" + search.derivative + ")"};
    for (int run = 0; run < 3; ++run) {
        // Three searches of about the same length share the progress range.
        ProgressCallback part;
        if (progress)
            part = [&progress, run](double fraction) { return progress((run + fraction) / 3); };
        CRootFinder &finder = run == 0 ? poles : roots;
        const bool finished = search.near ? finder.SearchNear(texts[run], search.from, search.tolerance, part)
                                          : finder.SearchDomain(texts[run], search.from, search.to, search.tolerance, part);
        if (!finished)
            return false;
        if (run > 0)
            classify(run);
    }
    return true;
}

bool IsNearPole(const CRootFinder &poles, double x)
{
    for (int i = 0; i < poles.m_nCount; ++i)
        if (poles.m_bValid[i] && std::fabs(poles.m_dRoots[i] - x) < 0.1)
            return true;
    return false;
}

std::string DerivativeText(const std::string &function, int order)
{
    CExpression f;
    f.SetExpression(function);
    CDerivative derivative(f.m_strCoded);
    for (int i = 1; i < order; ++i)
        derivative.Rederive(derivative.GetResult());
    return derivative.GetResult();
}
