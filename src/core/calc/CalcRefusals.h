#pragma once

#include <string>

// The reasons the calculator gives when it refuses a result.
inline constexpr const char *kCalcOverflow = "Overflow: the result is above 1.8e308";
inline constexpr const char *kCalcUnderOverflow = "Overflow: the result is below -1.8e308";
inline constexpr const char *kCalcDivision = "Division by zero";
inline constexpr const char *kCalcDomain = "Outside the function's domain";

// "Outside the function's domain: " and why.
inline std::string CalcDomainText(const std::string &strWhy) { return std::string(kCalcDomain) + ": " + strWhy; }
