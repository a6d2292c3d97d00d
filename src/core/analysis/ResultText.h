#pragma once

#include <string>

// Number texts of the analysis results, independent of the user's locale:
// printf's "%.<decimals>f" and "%.<decimals>e".
std::string FixedText(double value, int decimals);
std::string ExpText(double value, int decimals);

// The text padded with blanks to width: on the right when leftAlign, else on the left.
std::string Padded(std::string text, std::size_t width, bool leftAlign);
