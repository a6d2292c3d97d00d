#pragma once

#include "core/plot/GraphResults.h"
#include "core/plot/GraphState.h"

#include <array>

// The document's record: the graph as a .cva file holds it, and where it
// stands between reading a file and the view taking it over.
struct EqStore : SGraphState
{
    bool m_bBadFile = false;  // the last file read did not start with the magic
    bool m_bSynced = true;    // false only between reading a file and the next synchronisation
    std::array<char, 3> m_achMagicRead{};
    std::array<char, 3> m_achMagic{'C', 'V', 'D'};
    // Beyond the graph itself: what the view showed on it when saved.
    SGraphResults m_results;
    bool m_bShowLegend = false;
};
