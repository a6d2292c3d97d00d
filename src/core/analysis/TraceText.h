#pragma once

#include <array>
#include <string>

class CTangent;

// The x typed into the trace bar: only the characters that can form a number
// count (digits, the first '.', a '-' in the first place); nothing left
// reads as 0. "1a2" is 12, "-.5" is -0.5, "1.2.3" is 1.23.
double ReadTraceInput(const std::string &text);

// FormatFixedHeld, without the minus of a value that shows as zero (-0.0, or
// -0.00001 to four decimals): no shown number is a negative zero.
std::string ShownFixed(double value, int decimals);

// f(x) of the trace bar: ShownFixed to 15 decimals, or "%e" when scientific.
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
