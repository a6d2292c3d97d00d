#pragma once

#include <string>

// Number texts of the linear-algebra tools. All of them are independent of
// the user's numeric locale, so a cell written here always reads back.

// Like printf("%.<digits>g", value).
std::string FormatSignificant(double value, int digits);

// Ten significant digits, no trailing zeros, always a decimal point:
// 1 -> "1.", -0.5 -> "-0.5", 1e20 -> "1.e+20".
std::string FormatTenDigits(double value);
