#pragma once

#include <cstddef>
#include <limits>
#include <string>

// What the calculator made of a text: a value, or the reason it could not
// read the text and where (0-based index into the text) it stopped, or why
// its value is no number (division by zero, overflow).
struct SCalcResult
{
    double dValue = std::numeric_limits<double>::quiet_NaN();
    std::string strReason;  // empty when the text was read completely
    std::size_t nPosition = 0;  // kNoPosition: a numerical reason, not a place in the text
    static constexpr std::size_t kNoPosition = static_cast<std::size_t>(-1);

    bool Ok() const { return strReason.empty(); }
};
