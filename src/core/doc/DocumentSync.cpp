#include "core/doc/DocumentSync.h"

CDocumentSync::Outcome CDocumentSync::Sync(SGraphState &view, EqStore &record, SGraphState &snapshot,
                                           bool &newDocument, const std::function<void(bool)> &clearGraph)
{
    Outcome outcome;
    const bool wasNew = newDocument;
    if (wasNew && clearGraph)
        clearGraph(false);

    if (record.m_bSynced) {
        CopyViewIntoRecord(view, record);
        if (wasNew)
            snapshot = record;
        outcome.setModified = Differs(snapshot, record);
        snapshot = record;
    } else {
        record.m_bSynced = true;
        if (!record.m_bBadFile) {
            LoadRecordIntoView(record, snapshot, view);
            outcome.loaded = true;
        }
    }

    if (wasNew) {
        newDocument = false;
        if (clearGraph)
            clearGraph(true);
        // The recentring just changed the mapping after the comparison; a
        // new document still starts unmodified.
        CopyViewIntoRecord(view, record);
        snapshot = record;
        outcome.setModified = false;
    }
    return outcome;
}

void CDocumentSync::CopyViewIntoRecord(const SGraphState &view, SGraphState &record)
{
    record.m_nLast = view.m_nLast;
    record.m_parameters = view.m_parameters;
    record.m_dScaleX = view.m_dScaleX;
    record.m_dScaleY = view.m_dScaleY;
    record.m_nPanX = view.m_nPanX;
    record.m_nPanY = view.m_nPanY;
    for (int i = 0; i <= view.m_nLast && i < SGraphState::kSlots; ++i) {
        record.m_aFunctions[i] = view.m_aFunctions[i];
        record.m_aDerivativeShown[i] = view.m_aDerivativeShown[i];
        record.m_aWidth[i] = view.m_aWidth[i];
        record.m_aColor[i] = view.m_aColor[i];
    }
}

void CDocumentSync::CopyViewIntoRecord(const CViewState &view, EqStore &record)
{
    CopyViewIntoRecord(static_cast<const SGraphState &>(view), static_cast<SGraphState &>(record));
    record.m_results = view.m_results;
    record.m_bShowLegend = view.m_bShowLegend;
}

bool CDocumentSync::Differs(const SGraphState &snapshot, const SGraphState &record)
{
    if (snapshot.m_nLast != record.m_nLast || snapshot.m_dScaleX != record.m_dScaleX ||
        snapshot.m_dScaleY != record.m_dScaleY || snapshot.m_nPanX != record.m_nPanX ||
        snapshot.m_nPanY != record.m_nPanY || snapshot.m_parameters != record.m_parameters)
        return true;
    // Slots above last are not written to the file: their pens may change freely.
    for (int i = 0; i <= snapshot.m_nLast && i < SGraphState::kSlots; ++i) {
        const CExpression &a = snapshot.m_aFunctions[i];
        const CExpression &b = record.m_aFunctions[i];
        if (a.m_strCoded != b.m_strCoded || snapshot.m_aDerivativeShown[i] != record.m_aDerivativeShown[i] ||
            snapshot.m_aWidth[i] != record.m_aWidth[i] || snapshot.m_aColor[i] != record.m_aColor[i])
            return true;
    }
    return false;
}

void CDocumentSync::LoadRecordIntoView(const SGraphState &record, SGraphState &snapshot, SGraphState &view)
{
    snapshot = record;
    view.m_dScaleX = record.m_dScaleX;
    view.m_dScaleY = record.m_dScaleY;
    view.m_nPanX = record.m_nPanX;
    view.m_nPanY = record.m_nPanY;
    view.m_nLast = record.m_nLast;
    view.m_parameters = record.m_parameters;
    for (CExpression &f : view.m_aFunctions)
        EmptySlot(f);
    view.m_aDerivativeShown.fill(false);
    for (int i = 0; i <= record.m_nLast && i < SGraphState::kSlots; ++i) {
        view.m_aWidth[i] = record.m_aWidth[i];
        view.m_aColor[i] = record.m_aColor[i];
        view.m_aFunctions[i].SetExpression(record.m_aFunctions[i].m_strText);
        view.m_aDerivativeShown[i] = record.m_aDerivativeShown[i];
    }
}

void CDocumentSync::ClearView(SGraphState &view, bool recentre)
{
    for (CExpression &f : view.m_aFunctions)
        EmptySlot(f);
    view.m_aDerivativeShown.fill(false);
    view.m_nLast = -1;
    if (recentre) {
        view.m_dScaleX = 1.0;
        view.m_dScaleY = 1.0;
        view.m_nPanX = 0;
        view.m_nPanY = 0;
    }
}

void CDocumentSync::EmptySlot(CExpression &f)
{
    f.SetExpression("");
    f.m_strCoded.clear();
}
