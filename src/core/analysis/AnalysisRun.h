#pragma once

#include "core/analysis/Progress.h"
#include "core/expr/Program.h"

#include <optional>
#include <string>
#include <vector>

// Roots, extrema and inflection points as the pages of the analysis sheet
// give them: the checks before a search, the search itself and the lines of
// the result list. What is said about them is in AnalysisWording.h.
enum class EAnalysisKind { Roots, Extrema, Inflection, Intersections };

inline constexpr int kMinPlaces = 3;
inline constexpr int kMaxPlaces = 15;
inline constexpr int kDefaultPlaces = 6;
inline constexpr double kDefaultAnalysisFrom = -10.0;
inline constexpr double kDefaultAnalysisTo = 10.0;

inline constexpr const char *kNoneLine = "None";

struct SAnalysisRequest
{
    EAnalysisKind kind = EAnalysisKind::Roots;
    std::string function;
    bool near = false;  // around the point from, else over [from, to]
    double from = kDefaultAnalysisFrom;
    double to = kDefaultAnalysisTo;
    int places = kDefaultPlaces;  // the tolerance is 10^-places
    std::string function2;        // intersections: the second function
    SParameterValues parameters{};  // the values of the parameter letters in both
};

enum class EAnalysisCheck {
    Ok,
    DomainOrder,  // refused: the end is not after the start
    TooFar,       // refused: the scan step no longer moves x there
    LargeDomain,  // allowed, but the page asks first (largeQuestion)
};

// The first thing to say about a request before it is searched.
EAnalysisCheck CheckAnalysis(const SAnalysisRequest &request);
// A domain wider than this is LargeDomain.
double LargeDomainLimit(EAnalysisKind kind);

// Extrema and inflection points search a derivative: refused when it is too
// long to be worked out.
bool DerivativeTooLong(const SAnalysisRequest &request);

// Intersections need two different functions: refused when the second is
// missing or the two are equal throughout the searched interval (every point
// would be an intersection). Other kinds are never refused here.
enum class EIntersectionRefusal { None, NoSecondFunction, SameFunctions };
EIntersectionRefusal IntersectionRefusal(const SAnalysisRequest &request);

struct SAnalysisPoint
{
    double x = 0.0;
    double y = 0.0;        // f(x)
    bool maximum = false;  // extrema only
    std::string label;     // "(x, y)" with the numbers as the list formats them
};

struct SAnalysisResult
{
    std::vector<std::string> lines;  // the list, "None" when nothing is listed
    std::vector<SAnalysisPoint> points;
    bool truncated = false;  // a candidate table filled up: points may be missing
    int linesPerPoint = 1;   // extrema list four lines for each point

    // The point a line of the list belongs to, -1 for none ("None").
    int PointOfLine(int line) const;

    // The page tells about missing points only in a domain, and only when
    // it lists some.
    bool WarnsTooMany(bool near) const { return truncated && !near && !points.empty(); }
};

// The search and its lines; nothing when the progress callback cancelled.
std::optional<SAnalysisResult> RunAnalysis(const SAnalysisRequest &request, const ProgressCallback &progress = {});
