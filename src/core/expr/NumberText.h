#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Number texts read independently of the user's locale (strtod
// would follow it and use a decimal comma in some).

// Reads a typed number the way atof does: leading blanks skipped, the longest
// numeric prefix taken, anything that is not a number reads as 0. "nan" and
// "inf" are not numbers here; an overflowing value saturates at the largest
// double of its sign.
double ReadNumber(const std::string &text);

// Reads the leading number of a text the way the calculator's display and
// fields do: blanks and one sign skipped, no number reads as 0; unlike
// ReadNumber, "inf" and "nan" are read and an overflow gives infinity.
double ReadNumberText(const std::string &text);

// What a field's whole text holds: blanks around it and a leading '+' allowed.
enum class NumberKind { Number, OutOfRange, NotFinite, NotNumber };
struct SWholeNumber
{
    NumberKind kind = NumberKind::NotNumber;
    double value = 0.0;
};
SWholeNumber ExamineNumber(const std::string &text);

// The number a field's whole text holds, if it holds one: nothing for "nan",
// "inf", a value beyond the range of double (either way), a decimal comma or
// trailing text. Every number field of the windows and the command line
// reads through this.
std::optional<double> ReadWholeNumber(const std::string &text);

// The whole number a field's text holds: blanks around it and one sign
// allowed, decimal digits only ("0x7", "7.0" and "1e1" are none), within int.
std::optional<int> ReadWholeInteger(const std::string &text);

// A grid cell or a number of a matrix file: blank reads as 0, anything else
// as ReadConstantValue ("pi/4" and "sqrt(2)" are numbers too).
std::optional<double> ReadCellNumber(const std::string &text);

// The refusal of a number field outside [min, max]:
// "Please enter a number between 1e-05 and 1."
std::string NumberRangeText(double min, double max);

// Reads the longest decimal prefix (digits with at most one point and, when
// exponentMark is given, that letter, an optional '-' and digits) without
// depending on the process locale, like strtod otherwise: overflow gives
// infinity, underflow 0, a lone point 0. Returns the characters consumed: at
// least one, unless the range is empty.
std::size_t ReadDecimal(const char *first, const char *last, double &value, char exponentMark = '\0');
