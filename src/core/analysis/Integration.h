#pragma once

#include "core/analysis/Progress.h"

#include <cstdint>
#include <optional>
#include <string>

class CExpression;

// The three rules of limited integration, numbered as the dialog's radios.
enum class EIntegrationRule { MidPoint = 0, Trapezoid = 1, Simpson = 2 };

// The integration dialog's defaults, its range of widths and its texts.
inline constexpr EIntegrationRule kDefaultIntegrationRule = EIntegrationRule::Trapezoid;
inline constexpr double kDefaultIntegrationWidth = 0.01;
inline constexpr double kMinIntegrationWidth = 0.00001;
inline constexpr double kMaxIntegrationWidth = 1.0;
inline constexpr const char *kLimitsOrderText =
    "Error 0x04:\n\nThe upper limit of the integral cannot be less than the lower limit!\nPlease re-enter the integral.";
inline constexpr const char *kLimitsOrderCaption = "Invalid Data";
inline constexpr const char *kIntegralCaption = "Limited Integration Result";

// A point where f is undefined but has finite limits from its sides; the
// sums used the mean of those limits there.
struct SIntegralGap
{
    double x = 0.0;
    double left = 0.0;   // the limit from below (NaN at a)
    double right = 0.0;  // the limit from above (NaN at b)
};

struct SIntegral
{
    double value = 0.0;     // NaN when f is undefined somewhere it was sampled
    bool cancelled = false;  // the user stopped the sums; value means nothing
    std::optional<double> pole;  // where f has a pole in [a, b]: no integral, value is NaN
    // An end where f is unbounded but integrable and this rule takes a
    // sample: no value; the mid-point rule gives one.
    std::optional<double> unboundedEnd;
    // A bound of |value - true integral|, from the same rule at h, h/2 and
    // h/4 (Richardson's form with the order those three show). Absent where
    // the order they show is not stable: no estimate can be trusted then.
    std::optional<double> errorEstimate;
    double order = 0.0;  // the order of convergence the estimate used
    // A narrow peak far above the samples near it: the sums miss most of it,
    // and no estimate is given.
    std::optional<double> unresolvedPeak;
    std::optional<SIntegralGap> gap;  // the first removable gap met, if any
    int gaps = 0;                     // how many such points were met
};

// The number of equal sub-intervals for limits a, b and a wished width h:
// round((b - a) / h), at least 1, capped far beyond anything that could be
// summed. 0 for equal limits.
std::int64_t IntegrationSteps(double a, double b, double h);

// The integral of f over [a, b] (a <= b) by the rule, over n =
// IntegrationSteps(a, b, h) sub-intervals of width (b - a) / n whose ends
// x_i = a + i (b - a) / n come from the index, so they cover [a, b] exactly
// however far from 0 the limits lie. The mid-point value of a sub-interval
// is f at its middle. Equal limits give 0; limits or a width that are not
// finite numbers, or a width that is not positive, give NaN. An integrand
// with a pole in [a, b] (an infinite sample, a pole between samples, or |f|
// growing without bound at an end) gives no value but where the pole is.
// The sums are compensated. f is evaluated in batches; progress is reported
// now and then and may cancel.
SIntegral Integrate(CExpression &f, double a, double b, double h, EIntegrationRule rule,
                    const ProgressCallback &progress = {});

// Samples of f the integral of n sub-intervals takes by the rule, the
// finer sums of its error estimate included.
double IntegrationSamples(std::int64_t n, EIntegrationRule rule);

// The result as the dialog's message shows it: six decimals, or
// "Invalid Domain!" when f was undefined somewhere.
std::string IntegralText(double value);
// The same, or the refusal naming the pole or the unbounded end.
std::string IntegralText(const SIntegral &integral);
// Whether the integral has a value (not refused, not undefined, not cancelled).
bool HasIntegralValue(const SIntegral &integral);
// "± 1.2e-09", or "± ?" where no estimate can be trusted; empty without a value.
std::string ErrorEstimateText(const SIntegral &integral);
// The full result for the dialog: "0.333350 ± 1.7e-05", then a line on a
// step too coarse for six decimals, on an untrusted estimate, or on a gap
// bridged by its limits. The refusal or "Invalid Domain!" without a value.
std::string IntegralResultText(const SIntegral &integral);
// The notes of IntegralResultText alone, one per line; empty when none.
std::string IntegralNotes(const SIntegral &integral);
