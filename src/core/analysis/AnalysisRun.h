#pragma once

#include "core/analysis/Progress.h"

#include <optional>
#include <string>
#include <vector>

// Roots, extrema and inflection points as the pages of the analysis sheet
// give them: the checks before a search, the search itself, the lines of
// the result list and the texts of the messages around it.
enum class EAnalysisKind { Roots, Extrema, Inflection, Intersections };

// The texts that differ from one kind to the next.
struct SAnalysisTexts
{
    const char *title;
    const char *searchLabel;     // "2- Searching for ..."
    const char *step3Text;       // the page's first step-3 label
    const char *resultText;      // the page's first result label
    const char *inDomainText;
    const char *nearPointText;
    const char *columnHeads;     // above the list, or nullptr
    double largeDomain;          // a wider domain earns largeQuestion
    const char *largeQuestion;
    const char *tooMany;
    const char *tooManyCaption;
};

const SAnalysisTexts &AnalysisTexts(EAnalysisKind kind);

inline constexpr int kMinPlaces = 3;
inline constexpr int kMaxPlaces = 15;
inline constexpr int kDefaultPlaces = 6;
inline constexpr double kDefaultAnalysisFrom = -10.0;
inline constexpr double kDefaultAnalysisTo = 10.0;

inline constexpr const char *kNoneLine = "None";
// The list after a cancelled search: the last one belonged to another text.
inline constexpr const char *kCancelledLine = "The search was cancelled.";
inline constexpr const char *kInvalidDomainCaption = "Invalid domain";
inline constexpr const char *kDomainOrderText =
    "Error 0x06:\n\nThe start of domain must be less than the end.\nPlease correct the error and try again.";
inline constexpr const char *kFarDomainText =
    "The domain is too far from zero: the search step no longer changes x there.\n"
    "Please choose a domain nearer to zero and try again.";
inline constexpr const char *kFarPointText =
    "The point is too far from zero: the search step no longer changes x there.\n"
    "Please choose a point nearer to zero and try again.";
inline constexpr const char *kLargeDomainCaption = "Large domain";

// "Please enter an integer between 3 and 15."
std::string PlacesRangeText();

struct SAnalysisRequest
{
    EAnalysisKind kind = EAnalysisKind::Roots;
    std::string function;
    bool near = false;  // around the point from, else over [from, to]
    double from = kDefaultAnalysisFrom;
    double to = kDefaultAnalysisTo;
    int places = kDefaultPlaces;  // the tolerance is 10^-places
    std::string function2;        // intersections: the second function
};

enum class EAnalysisCheck {
    Ok,
    DomainOrder,  // refused: the end is not after the start
    TooFar,       // refused: the scan step no longer moves x there
    LargeDomain,  // allowed, but the page asks first (largeQuestion)
};

// The first thing to say about a request before it is searched.
EAnalysisCheck CheckAnalysis(const SAnalysisRequest &request);
// What the page says about it: a refusal (DomainOrder, TooFar) captioned
// kInvalidDomainCaption, or the question captioned kLargeDomainCaption.
const char *CheckText(const SAnalysisRequest &request, EAnalysisCheck check);

// Extrema and inflection points search a derivative: refused, with
// kDerivativeTooLongText, when it is too long to be worked out.
bool DerivativeTooLong(const SAnalysisRequest &request);

// Intersections need two different functions. Refused, with the text
// returned, when the second is missing or the two are equal throughout the
// searched interval (every point would be an intersection); nullptr when the
// request is good. Other kinds are never refused here.
inline constexpr const char *kNoSecondFunctionText =
    "There is no second function to intersect with.\nPlease plot at least two functions and try again.";
inline constexpr const char *kSameFunctionsText =
    "The two functions are equal throughout the domain, so every point is an intersection.\n"
    "Please choose two different functions.";
const char *IntersectionRefusal(const SAnalysisRequest &request);

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
