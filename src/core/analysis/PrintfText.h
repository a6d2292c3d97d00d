#pragma once

#include <cstddef>
#include <string>

// printf-style number texts for the analysis results, independent of the
// process locale and of any fixed buffer: "%.15f" of 1e300 is over 300
// characters. NaN and the infinities read "nan", "-nan", "inf", "-inf" as
// printf writes them.

// Like printf("%.<decimals>f", value).
std::string PrintfFixed(double value, int decimals);

// Like printf("%.<decimals>e", value).
std::string PrintfExp(double value, int decimals);

// Like printf("%-<width>s", text): blanks appended up to width.
std::string PadRight(std::string text, std::size_t width);
