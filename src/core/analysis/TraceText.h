#pragma once

#include <array>
#include <string>

class CExpression;
class CTangent;

// f(x) of the trace bar for the x typed beside it, the typed text read as
// every number field reads it ("1e-3", "1/2", "pi", in degrees when f is);
// empty while the text is no number ("1e-" half typed, "1a2"), so the bar
// never shows the value at an x other than the one it shows typed.
std::string TraceInputResult(CExpression &f, const std::string &typed, bool scientific);

// f(x) of the trace bar: ShownValue to 15 decimals, or "%e" when scientific.
std::string TraceResultText(double y, bool scientific);

// The mouse position in units: "x = %.6f, y = %.6f".
std::string TracePositionText(double x, double y);

// The label beside the traced point on the graph: "(x, f(x))", x as the
// position and f(x) as the result field show them, an undefined or
// infinite f(x) in words.
std::string TracePointText(double x, double y, bool scientific);

// The tangent bar's texts for x, f(x), the angle and the slope (controls
// 1016 .. 1019), from the last ComputeAt; dashes where f(x) or the slope
// is not a number.
std::array<std::string, 4> TangentBarTexts(const CTangent &tangent);

// The tangent bar's equation line (control 1020), from the last BuildEquation.
std::string TangentEquationText(const CTangent &tangent);
