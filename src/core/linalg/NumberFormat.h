#pragma once

#include <optional>
#include <string>

// Number texts of the linear-algebra tools. All of them are independent of
// the user's numeric locale, so a cell written here always reads back.

// Like printf("%.<digits>g", value).
std::string FormatSignificant(double value, int digits);

// Ten significant digits, no trailing zeros, always a decimal point:
// 1 -> "1.", -0.5 -> "-0.5", 1e20 -> "1.e+20".
std::string FormatTenDigits(double value);

// A grid cell or a number of a matrix file: blank reads as 0, anything else
// must be a whole number text (decimal point, optional exponent); nothing for
// "1,5", letters, "nan", "inf" or a value beyond the range of double.
std::optional<double> ReadCellNumber(const std::string &text);

// A condition number as the warnings give it: two digits, "1.6e13".
std::string FormatCondition(double condition);
