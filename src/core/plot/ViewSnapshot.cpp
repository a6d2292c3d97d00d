#include "core/plot/ViewSnapshot.h"

std::string ChangeName(const SGraphState &before, const SGraphState &after)
{
    if (after.m_nLast < 0 && before.m_nLast >= 0)
        return "Clear Graph";
    bool texts = before.m_nLast != after.m_nLast, flags = false, pens = false;
    // Only the slots a file holds; with last unchanged they are the same in both.
    for (int i = 0; i <= before.m_nLast && i < SGraphState::kSlots; ++i) {
        texts = texts || before.m_aFunctions[i].m_strCoded != after.m_aFunctions[i].m_strCoded;
        flags = flags || before.m_aDerivativeShown[i] != after.m_aDerivativeShown[i];
        pens = pens || before.m_aColor[i] != after.m_aColor[i] || before.m_aWidth[i] != after.m_aWidth[i];
    }
    if (texts)
        return "Plot";
    if (flags)
        return "Differentiate";
    if (pens)
        return "Graph Attributes";
    if (before.m_dScaleX != after.m_dScaleX || before.m_dScaleY != after.m_dScaleY)
        return "Zoom";
    if (before.m_nPanX != after.m_nPanX || before.m_nPanY != after.m_nPanY)
        return "Pan";
    if (before.m_parameters != after.m_parameters)
        return "Parameter";
    return {};
}
