#pragma once

#include "core/expr/Expression.h"
#include "core/plot/Parameters.h"

#include <array>
#include <cstdint>

// A colour as the document stores it: red in the low byte, then green, blue.
using ColorRef = std::uint32_t;
constexpr ColorRef MakeColorRef(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned ColorRefRed(ColorRef c) { return c & 0xFFu; }
constexpr unsigned ColorRefGreen(ColorRef c) { return (c >> 8) & 0xFFu; }
constexpr unsigned ColorRefBlue(ColorRef c) { return (c >> 16) & 0xFFu; }

// What a graph is: five function slots (each with its derivative-shown
// flag), their pens, and the mapping between units and pixels. The view
// works on it and the document saves it.
struct SGraphState
{
    static constexpr int kSlots = 5;

    std::array<CExpression, kSlots> m_aFunctions;
    std::array<bool, kSlots> m_aDerivativeShown{};  // the slot's derivative is drawn too
    std::array<ColorRef, kSlots> m_aColor{};
    std::array<std::int32_t, kSlots> m_aWidth{};
    double m_dScaleX = 1.0;
    double m_dScaleY = 1.0;
    std::int32_t m_nPanX = 0;
    std::int32_t m_nPanY = 0;
    std::int32_t m_nLast = -1;  // highest slot in use, -1 when none
    SParameterTable m_parameters;  // the values the functions are drawn and analysed with
};
