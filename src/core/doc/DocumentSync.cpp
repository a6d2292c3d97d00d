#include "core/doc/DocumentSync.h"

bool CDocumentSync::Differs(const EqStore &snapshot, const EqStore &record)
{
    if (snapshot.m_nLast != record.m_nLast || snapshot.m_dScaleX != record.m_dScaleX ||
        snapshot.m_dScaleY != record.m_dScaleY || snapshot.m_nPanX != record.m_nPanX ||
        snapshot.m_nPanY != record.m_nPanY)
        return true;
    for (int i = 0; i < EqStore::kSlots; ++i) {
        const CExpression &a = snapshot.m_aFunctions[i];
        const CExpression &b = record.m_aFunctions[i];
        if (a.m_strCoded != b.m_strCoded || a.m_bDerivativeShown != b.m_bDerivativeShown ||
            snapshot.m_aWidth[i] != record.m_aWidth[i] || snapshot.m_aColor[i] != record.m_aColor[i])
            return true;
    }
    return false;
}

void CDocumentSync::TakeSnapshot(const EqStore &record, EqStore &snapshot)
{
    snapshot.m_nLast = record.m_nLast;
    snapshot.m_dScaleX = record.m_dScaleX;
    snapshot.m_dScaleY = record.m_dScaleY;
    snapshot.m_nPanX = record.m_nPanX;
    snapshot.m_nPanY = record.m_nPanY;
    snapshot.m_aFunctions = record.m_aFunctions;
    snapshot.m_aWidth = record.m_aWidth;
    snapshot.m_aColor = record.m_aColor;
}

void CDocumentSync::EmptySlot(CExpression &f)
{
    f.SetExpression("");
    f.m_strCoded.clear();
    f.m_bDerivativeShown = false;
}
