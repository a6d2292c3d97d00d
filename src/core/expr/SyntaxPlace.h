#pragma once

#include <cstddef>
#include <string>

// Where a refused function text goes wrong, in the text as typed, so that the
// window can select the character and both front ends can name it.
struct SSyntaxPlace
{
    int code = 0;              // as CheckSyntax: 0 accepted, 1..3 refused
    std::size_t position = 0;  // 1-based, in characters (not bytes); 0 when nothing is at fault
    std::string character;     // that character, UTF-8
    std::string suggestion;    // a known name close to the word typed there, or empty
};

// Reads `typed` (already lowered) as the coder does and finds the first
// character at fault.
SSyntaxPlace LocateSyntaxError(const std::string &typed);

// The known function name closest to `word` (one edit away, two for longer
// words), or empty. "sqr" -> "sqrt", "lg" -> "log", "sine" -> "sin".
std::string SuggestName(const std::string &word);

// A number written straight before 'e' and a digit or sign, as in "1e-4":
// here it is 1*e-4, not 0.0001. The first such place (0-based), or npos.
std::size_t FindExponentTrap(const std::string &typed);

// The status bar's one-line hint when FindExponentTrap finds something (UTF-8).
inline constexpr const char *kExponentTrapHint = "1e-4 is read as 1\u00b7e\u22124; write 10^-4 for 0.0001";
