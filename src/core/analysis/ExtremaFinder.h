#pragma once

#include "core/analysis/PointFinder.h"

#include <cstdint>
#include <string>

// Minima and maxima: where f' changes sign.
class CExtremaFinder : public CPointFinder
{
public:
    static constexpr int kLinesPerPoint = 4;  // lines of the list for each point

    enum EType : std::uint8_t {
        Minimum = 0,
        Maximum = 1,
        Stationary = 2,  // f' does not change sign
        Undefined = 3,   // f undefined or infinite there, or on a pole of f
        Rejected = 4,    // not an accepted root, or f' undefined beside it
        Repeated = 5,    // one point with a listed point of the same type
    };

    CExtremaFinder()
        : CPointFinder(1, 0.05, {Rejected, Undefined, Rejected, Maximum, Minimum, Stationary, Undefined, Repeated})
    {
    }

    // Line k (1..4) of the listed point i: x, y, the type, a rule.
    std::string FormatLine(int i, int k);
};
