#pragma once

#include "core/expr/Expression.h"

#include <array>
#include <cstdint>

// The part of the graph view's state that a document keeps: the slots with
// their derivative-shown flags, their pens, and the mapping. The view copies
// this to and from the document's record when it synchronises.
struct CDocViewState
{
    static constexpr int kSlots = 5;

    std::array<CExpression, kSlots> m_aFunctions;
    std::array<std::uint32_t, kSlots> m_aColor{};
    std::array<std::int32_t, kSlots> m_aWidth{};
    double m_dScaleX = 1.0;
    double m_dScaleY = 1.0;
    std::int32_t m_nPanX = 0;
    std::int32_t m_nPanY = 0;
    int m_nLast = -1;
};
