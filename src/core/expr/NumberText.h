#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Number texts written and read independently of the user's locale (printf
// and strtod would follow it and use a decimal comma in some).

// Like printf("%.<decimals>f", value).
std::string FormatFixed(double value, int decimals);

// Like printf("%.<decimals>e", value).
std::string FormatExp(double value, int decimals);

// Reads a typed number the way atof does: leading blanks skipped, the longest
// numeric prefix taken, anything that is not a number reads as 0. "nan" and
// "inf" are not numbers here; an overflowing value saturates at the largest
// double of its sign.
double ReadNumber(const std::string &text);

// The number a field's whole text holds (blanks around it and a leading '+'
// allowed), if it holds one: nothing for "nan", "inf", an overflow, a decimal
// comma or trailing text.
std::optional<double> ReadWholeNumber(const std::string &text);

// The shortest text that reads back to exactly this double ("0.1", "1e-07",
// "12345.678"); "nan", "inf", "-inf" for the others.
std::string FormatShortest(double value);

// The refusal of a number field outside [min, max]:
// "Please enter a number between 1e-05 and 1."
std::string NumberRangeText(double min, double max);

// Reads the longest decimal prefix (digits with at most one point, no
// exponent) without depending on the process locale, like strtod otherwise:
// overflow gives infinity, underflow 0, a lone point 0. Returns the characters
// consumed: at least one, unless the range is empty.
std::size_t ReadDecimal(const char *first, const char *last, double &value);
