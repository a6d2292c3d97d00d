#pragma once

#include "app/DocViewState.h"
#include "app/EqStore.h"

#include <functional>

// The graph view's synchronisation with its document, without widgets: the
// view hands in its state, the document's record and its own snapshot, and a
// callback for Clear Graph (which also empties the view's list and fields).
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
    static Outcome Sync(CDocViewState &view, EqStore &record, EqStore &snapshot, bool &newDocument,
                        const std::function<void(bool recentre)> &clearGraph);

    // last, scales, pans, and slots 0..last whole (texts, flags, compiled form, pens).
    static void CopyViewIntoRecord(const CDocViewState &view, EqStore &record);

    // What the modified flag cares about: last, scales, pans, and for all five
    // slots the coded text, the derivative-shown flag, the width and the colour.
    static bool Differs(const EqStore &snapshot, const EqStore &record);

    static void TakeSnapshot(const EqStore &record, EqStore &snapshot);

    // The record becomes the snapshot and the view's state: mapping, last,
    // and slots 0..last compiled from their typed texts with flags and pens;
    // the other slots are emptied. Derivatives are rebuilt by the caller.
    static void LoadRecordIntoView(const EqStore &record, EqStore &snapshot, CDocViewState &view);

    // Clear Graph on the state: all texts empty, flags clear, last -1; with
    // recentre also the centred mapping (scales 1, pans 0).
    static void ClearView(CDocViewState &view, bool recentre);
};
