#include "core/analysis/AnalysisRun.h"

#include "core/analysis/ExtremaFinder.h"
#include "core/analysis/InflexFinder.h"
#include "core/analysis/PointFinder.h"
#include "core/analysis/RootFinder.h"
#include "core/analysis/TraceText.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"
#include "core/expr/ShownNumber.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Nearly as many candidates as two full runs hold: some may be missing.
constexpr int kPointTableLimit = 598;

bool IsBlank(const std::string &text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// The coordinates of a listed point as its list writes the numbers.
std::string Label(const std::string &x, const std::string &y) { return "(" + x + ", " + y + ")"; }
// x known to spread, and f there, as the lists show them.
std::string XText(double x, double spread, int places)
{
    return ShownRoot(x == 0 ? 0.0 : x, KnownDecimals(spread, places));
}
std::string PointLabel(CExpression &f, double x, double spread, int places)
{
    const double y = f.Evaluate(x);
    return Label(XText(x, spread, places), ValueExp(y == 0 ? 0.0 : y, ValueSpread(f, x, spread), places));
}

// The spread of each listed root, for the intersections listed from them.
std::optional<SAnalysisResult> Roots(const SAnalysisRequest &r, double t, const ProgressCallback &progress,
                                     std::vector<double> *spreads = nullptr)
{
    CRootFinder finder;
    finder.m_parameters = r.parameters;
    if (!(r.near ? finder.SearchNear(r.function, r.from, t, progress)
                 : finder.SearchDomain(r.function, r.from, r.to, t, progress)))
        return std::nullopt;
    SAnalysisResult result;
    CExpression f;
    f.SetParameters(r.parameters);
    f.SetExpression(r.function);
    for (int i = 0; i < finder.m_nCount; ++i)
        if (finder.m_bValid[i]) {
            const double x = finder.m_dRoots[i];
            const double y = f.Evaluate(x);
            // As many decimals as asked, fewer where fewer are known.
            const int decimals = KnownDecimals(finder.m_dSpread[i], r.places);
            result.lines.push_back(ShownValue(x, decimals));
            result.points.push_back({x, y, false, Label(result.lines.back(), ShownValue(y, decimals))});
            if (spreads)
                spreads->push_back(finder.m_dSpread[i]);
        }
    result.truncated = finder.IsFull();
    return result;
}

// The text whose roots are the intersections. Each function keeps its own
// brackets, so neither an operator nor a name can run across from one to
// the other.
std::string DifferenceText(const SAnalysisRequest &r) { return "(" + r.function + ")-(" + r.function2 + ")"; }

// Where f and g are equal: the roots of f - g by the same search and
// tolerance, each listed as the inflection page lists its points.
std::optional<SAnalysisResult> Intersections(const SAnalysisRequest &r, double t, const ProgressCallback &progress)
{
    SAnalysisRequest difference = r;
    difference.function = DifferenceText(r);
    std::vector<double> spreads;
    const auto roots = Roots(difference, t, progress, &spreads);
    if (!roots)
        return roots;
    CExpression f, g;
    f.SetParameters(r.parameters);
    g.SetParameters(r.parameters);
    f.SetExpression(r.function);
    g.SetExpression(r.function2);
    SAnalysisResult result;
    result.truncated = roots->truncated;
    for (std::size_t i = 0; i < roots->points.size(); ++i) {
        const double x = roots->points[i].x, y = f.Evaluate(x), y2 = g.Evaluate(x);
        // Near a pole both values are huge and their difference may round
        // to nothing: no point of either curve lies there.
        if (!IsFinite(y) || !IsFinite(y2))
            continue;
        result.lines.push_back(CInflexFinder::FormatPoint(f, x, spreads[i], r.places));
        result.points.push_back({x, y, false, PointLabel(f, x, spreads[i], r.places)});
    }
    return result;
}

// Equal at every one of a few points spread over the interval, up to the
// rounding of the last bits, and defined at one of them at least.
bool EqualThroughout(const SAnalysisRequest &r)
{
    if (CodeExpression(r.function) == CodeExpression(r.function2))
        return true;
    CExpression f, g;
    f.SetParameters(r.parameters);
    g.SetParameters(r.parameters);
    f.SetExpression(r.function);
    g.SetExpression(r.function2);
    const double from = r.near ? r.from - 1.0 : r.from;
    const double to = r.near ? r.from + 1.0 : r.to;
    constexpr int kSamples = 101;
    bool defined = false;
    for (int i = 0; i < kSamples; ++i) {
        const double x = from + (to - from) * i / (kSamples - 1);
        const double a = f.Evaluate(x), b = g.Evaluate(x);
        if (IsNumber(a) != IsNumber(b))
            return false;
        if (!IsFinite(a) || !IsFinite(b))
            continue;
        if (std::fabs(a - b) > 1e-15 * std::max({1.0, std::fabs(a), std::fabs(b)}))
            return false;
        defined = true;
    }
    return defined;
}

// The lines a page lists for point i, and whether it is a maximum.
std::vector<std::string> ListedLines(CExtremaFinder &finder, int i)
{
    return {finder.FormatLine(i, 1), finder.FormatLine(i, 2), finder.FormatLine(i, 3), finder.FormatLine(i, 4)};
}
std::vector<std::string> ListedLines(CInflexFinder &finder, int i) { return {finder.FormatLine(i)}; }
bool IsMaximum(const CExtremaFinder &finder, int i) { return finder.m_nType[i] == CExtremaFinder::Maximum; }
bool IsMaximum(const CInflexFinder &, int) { return false; }

template <typename Finder>
std::optional<SAnalysisResult> Points(const SAnalysisRequest &r, double t, const ProgressCallback &progress)
{
    // Two root finders with their tables: too large for the stack.
    const auto finder = std::make_unique<Finder>();
    finder->m_parameters = r.parameters;
    if (!(r.near ? finder->SearchNear(r.function, r.from, t, progress)
                 : finder->SearchDomain(r.function, r.from, r.to, t, progress)))
        return std::nullopt;
    SAnalysisResult result;
    CExpression f;
    f.SetParameters(r.parameters);
    f.SetExpression(r.function);
    for (int i = 0; i < finder->m_nCount; ++i)
        if (finder->IsListed(i)) {
            for (std::string &line : ListedLines(*finder, i))
                result.lines.push_back(std::move(line));
            const double x = finder->m_dX[i];
            const double y = f.Evaluate(x);
            result.points.push_back({x, y, IsMaximum(*finder, i), PointLabel(f, x, finder->m_dSpread[i], r.places)});
        }
    result.linesPerPoint = Finder::kLinesPerPoint;
    result.truncated = finder->IsTruncated() || finder->m_nCount > kPointTableLimit;
    return result;
}

}  // namespace

double LargeDomainLimit(EAnalysisKind kind)
{
    switch (kind) {
    case EAnalysisKind::Extrema: case EAnalysisKind::Inflection: return 50000.0;
    case EAnalysisKind::Roots: case EAnalysisKind::Intersections: break;
    }
    return 5000000.0;
}

EAnalysisCheck CheckAnalysis(const SAnalysisRequest &r)
{
    if (!r.near && !(r.from < r.to))
        return EAnalysisCheck::DomainOrder;
    const double from = r.near ? r.from - 1.0 : r.from;
    const double to = r.near ? r.from + 1.0 : r.to;
    if (!CRootFinder::StepAdvances(from, to, r.near ? CRootFinder::kNearStep : CRootFinder::kDomainStep))
        return EAnalysisCheck::TooFar;
    if (!r.near && r.to - r.from > LargeDomainLimit(r.kind))
        return EAnalysisCheck::LargeDomain;
    return EAnalysisCheck::Ok;
}

bool DerivativeTooLong(const SAnalysisRequest &r)
{
    return (r.kind == EAnalysisKind::Extrema || r.kind == EAnalysisKind::Inflection) &&
           !DerivativeText(r.function, r.kind == EAnalysisKind::Extrema ? 1 : 2);
}

EIntersectionRefusal IntersectionRefusal(const SAnalysisRequest &r)
{
    if (r.kind != EAnalysisKind::Intersections)
        return EIntersectionRefusal::None;
    if (IsBlank(r.function2))
        return EIntersectionRefusal::NoSecondFunction;
    return EqualThroughout(r) ? EIntersectionRefusal::SameFunctions : EIntersectionRefusal::None;
}

int SAnalysisResult::PointOfLine(int line) const
{
    if (line < 0 || linesPerPoint < 1)
        return -1;
    const int point = line / linesPerPoint;
    return point < static_cast<int>(points.size()) ? point : -1;
}

std::optional<SAnalysisResult> RunAnalysis(const SAnalysisRequest &r, const ProgressCallback &progress)
{
    const double t = std::pow(10.0, -r.places);
    std::optional<SAnalysisResult> result;
    switch (r.kind) {
    case EAnalysisKind::Roots: result = Roots(r, t, progress); break;
    case EAnalysisKind::Intersections: result = Intersections(r, t, progress); break;
    case EAnalysisKind::Extrema: result = Points<CExtremaFinder>(r, t, progress); break;
    case EAnalysisKind::Inflection: result = Points<CInflexFinder>(r, t, progress); break;
    }
    if (result && result->lines.empty())
        result->lines.push_back(kNoneLine);
    return result;
}
