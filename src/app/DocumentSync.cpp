#include "app/DocumentSync.h"

namespace {
// An unused slot: no typed text and no coded text, so nothing draws it.
void EmptySlot(CExpression &f)
{
    f.SetExpression("");
    f.m_strCoded.clear();
    f.m_bDerivativeShown = false;
}
}  // namespace

CDocumentSync::Outcome CDocumentSync::Sync(CDocViewState &view, EqStore &record, EqStore &snapshot,
                                           bool &newDocument, const std::function<void(bool)> &clearGraph)
{
    Outcome outcome;
    if (newDocument && clearGraph)
        clearGraph(false);

    if (record.m_bSynced) {
        CopyViewIntoRecord(view, record);
        // A new document starts unmodified, whatever the view held before.
        if (newDocument)
            TakeSnapshot(record, snapshot);
        outcome.setModified = Differs(snapshot, record);
        TakeSnapshot(record, snapshot);
    } else {
        record.m_bSynced = true;
        if (!record.m_bBadFile) {
            LoadRecordIntoView(record, snapshot, view);
            outcome.loaded = true;
        }
    }

    if (newDocument) {
        newDocument = false;
        if (clearGraph)
            clearGraph(true);
    }
    return outcome;
}

void CDocumentSync::CopyViewIntoRecord(const CDocViewState &view, EqStore &record)
{
    record.m_nLast = view.m_nLast;
    record.m_dScaleX = view.m_dScaleX;
    record.m_dScaleY = view.m_dScaleY;
    record.m_nPanX = view.m_nPanX;
    record.m_nPanY = view.m_nPanY;
    for (int i = 0; i <= view.m_nLast && i < EqStore::kSlots; ++i) {
        record.m_aFunctions[i] = view.m_aFunctions[i];
        record.m_aWidth[i] = view.m_aWidth[i];
        record.m_aColor[i] = view.m_aColor[i];
    }
}

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

void CDocumentSync::LoadRecordIntoView(const EqStore &record, EqStore &snapshot, CDocViewState &view)
{
    TakeSnapshot(record, snapshot);
    view.m_dScaleX = record.m_dScaleX;
    view.m_dScaleY = record.m_dScaleY;
    view.m_nPanX = record.m_nPanX;
    view.m_nPanY = record.m_nPanY;
    view.m_nLast = record.m_nLast;
    for (CExpression &f : view.m_aFunctions)
        EmptySlot(f);
    for (int i = 0; i <= record.m_nLast && i < EqStore::kSlots; ++i) {
        view.m_aWidth[i] = record.m_aWidth[i];
        view.m_aColor[i] = record.m_aColor[i];
        view.m_aFunctions[i].SetExpression(record.m_aFunctions[i].m_strText);
        view.m_aFunctions[i].m_bDerivativeShown = record.m_aFunctions[i].m_bDerivativeShown;
    }
}

void CDocumentSync::ClearView(CDocViewState &view, bool recentre)
{
    for (CExpression &f : view.m_aFunctions)
        EmptySlot(f);
    view.m_nLast = -1;
    if (recentre) {
        view.m_dScaleX = 1.0;
        view.m_dScaleY = 1.0;
        view.m_nPanX = 0;
        view.m_nPanY = 0;
    }
}
