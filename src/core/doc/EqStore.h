#pragma once

#include "core/expr/Expression.h"

#include <array>
#include <cstdint>

// The document's record: what a .cva file holds. The graph view keeps a
// second one as its snapshot of the previous synchronisation.
struct EqStore
{
    static constexpr int kSlots = 5;

    bool m_bBadFile = false;  // the last file read did not start with the magic
    bool m_bSynced = true;    // false only between reading a file and the next synchronisation
    std::array<std::int32_t, kSlots> m_aWidth{};   // pen width of each slot
    std::array<std::uint32_t, kSlots> m_aColor{};  // pen colour of each slot, 0x00BBGGRR
    std::array<CExpression, kSlots> m_aFunctions;  // typed texts, each with its derivative-shown flag
    std::int32_t m_nPanY = 0;
    std::int32_t m_nPanX = 0;
    double m_dScaleX = 0.0;
    double m_dScaleY = 0.0;
    std::int32_t m_nLast = 0;  // highest slot in use, -1 when none
    std::array<char, 3> m_achMagicRead{};
    std::array<char, 3> m_achMagic{'C', 'V', 'D'};
};
