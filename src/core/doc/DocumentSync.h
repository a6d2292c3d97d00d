#pragma once

#include "core/doc/DocViewState.h"
#include "core/doc/EqStore.h"

#include <functional>

// The graph view's synchronisation with its document, without widgets: the
// view hands in its state, the document's record and its own snapshot, and a
// callback for Clear Graph (which also empties the view's list and fields).
//
// The state may be CDocViewState or any class with the same members
// (m_aFunctions, m_aColor, m_aWidth, m_dScaleX, m_dScaleY, m_nPanX, m_nPanY,
// m_nLast), such as the graph view's own state.
class CDocumentSync
{
public:
    struct Outcome
    {
        bool setModified = false;  // the view differs from the previous synchronisation
        bool loaded = false;       // a freshly read record was loaded into the view state:
                                   // the view rebuilds derivatives and its list, selects
                                   // entry 0, sets m_nCurrent = m_nLast and redraws
    };

    // Runs the whole synchronisation in its order. newDocument is the
    // document's new-document flag; it is cleared here.
    template <class View>
    static Outcome Sync(View &view, EqStore &record, EqStore &snapshot, bool &newDocument,
                        const std::function<void(bool recentre)> &clearGraph);

    // last, scales, pans, and slots 0..last whole (texts, flags, compiled form, pens).
    template <class View>
    static void CopyViewIntoRecord(const View &view, EqStore &record);

    // What the modified flag cares about: last, scales, pans, and for all five
    // slots the coded text, the derivative-shown flag, the width and the colour.
    static bool Differs(const EqStore &snapshot, const EqStore &record);

    static void TakeSnapshot(const EqStore &record, EqStore &snapshot);

    // The record becomes the snapshot and the view's state: mapping, last,
    // and slots 0..last compiled from their typed texts with flags and pens;
    // the other slots are emptied. Derivatives are rebuilt by the caller.
    template <class View>
    static void LoadRecordIntoView(const EqStore &record, EqStore &snapshot, View &view);

    // Clear Graph on the state: all texts empty, flags clear, last -1; with
    // recentre also the centred mapping (scales 1, pans 0).
    template <class View>
    static void ClearView(View &view, bool recentre);

    // An unused slot: no typed text and no coded text, so nothing draws it.
    static void EmptySlot(CExpression &f);
};

template <class View>
CDocumentSync::Outcome CDocumentSync::Sync(View &view, EqStore &record, EqStore &snapshot, bool &newDocument,
                                           const std::function<void(bool)> &clearGraph)
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

template <class View>
void CDocumentSync::CopyViewIntoRecord(const View &view, EqStore &record)
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

template <class View>
void CDocumentSync::LoadRecordIntoView(const EqStore &record, EqStore &snapshot, View &view)
{
    TakeSnapshot(record, snapshot);
    view.m_dScaleX = record.m_dScaleX;
    view.m_dScaleY = record.m_dScaleY;
    view.m_nPanX = record.m_nPanX;
    view.m_nPanY = record.m_nPanY;
    view.m_nLast = static_cast<decltype(view.m_nLast)>(record.m_nLast);
    for (CExpression &f : view.m_aFunctions)
        EmptySlot(f);
    for (int i = 0; i <= record.m_nLast && i < EqStore::kSlots; ++i) {
        view.m_aWidth[i] = record.m_aWidth[i];
        view.m_aColor[i] = record.m_aColor[i];
        view.m_aFunctions[i].SetExpression(record.m_aFunctions[i].m_strText);
        view.m_aFunctions[i].m_bDerivativeShown = record.m_aFunctions[i].m_bDerivativeShown;
    }
}

template <class View>
void CDocumentSync::ClearView(View &view, bool recentre)
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
