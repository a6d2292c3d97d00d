#pragma once

#include <string>

// Locale-independent number texts for the graph view. printf would follow
// the user's numeric locale and write a decimal comma in some of them.

// Like printf("%.<decimals>f", value).
std::string FormatFixed(double value, int decimals);

// Like printf("%.<decimals>e", value).
std::string FormatExp(double value, int decimals);

// Reads a typed number the way atof does: leading blanks skipped, the longest
// numeric prefix taken, anything that is not a number reads as 0. "nan" and
// "inf" are not numbers here; an overflowing value saturates at the largest
// double of its sign.
double ReadNumber(const std::string &text);
