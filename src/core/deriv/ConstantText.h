#pragma once

#include <string>

// Text of a folded constant that the expression core reads back to exactly
// the same double: the shortest round-tripping digits, never exponent
// notation (the core has none). Ordinary magnitudes are plain decimals
// ("2", "0.5", "-12.345"); very large or very small ones become a bracketed
// product or quotient with a power of ten ("(1.5*10^300)", "(5/10^20)").
// NaN and the infinities are written as expressions that evaluate to them.
std::string FormatConstant(double value);

// True when the text reads back to exactly this double through the same
// arithmetic the expression core uses (checked by tests).
bool ReadsBackTo(const std::string &text, double value);
