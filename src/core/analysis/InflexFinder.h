#pragma once

#include "core/analysis/PointFinder.h"

#include <cstdint>
#include <string>

// Inflection points: where f'' changes sign.
class CInflexFinder : public CPointFinder
{
public:
    static constexpr int kLinesPerPoint = 1;  // lines of the list for each point

    enum EType : std::uint8_t {
        Inflection = 0,
        NoSignChange = 1,
        Undefined = 2,  // f undefined or infinite there
        Rejected = 3,   // not an accepted root, f'' undefined beside it, or on a pole of f
        Repeated = 4,   // one point with a listed point
    };

    CInflexFinder()
        : CPointFinder(2, 0.1, {Rejected, Undefined, Rejected, Inflection, Inflection, NoSignChange, Rejected, Repeated})
    {
    }

    // The listed point i as one line: x, then y.
    std::string FormatLine(int i);
    // The point (x, f(x)), x known to spread, as that line shows it.
    static std::string FormatPoint(CExpression &f, double x, double spread, int places);
};
