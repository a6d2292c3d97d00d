#pragma once

#include "core/doc/DocumentRecord.h"
#include "core/plot/GraphState.h"
#include "core/plot/ViewState.h"

#include <functional>

// Keeps a view's graph and its document's record in step: the view's
// changes go into the record (and mark the document modified), a record
// just read from a file goes into the view. The snapshot is the graph as
// the previous synchronisation left it.
class CDocumentSync
{
public:
    struct Outcome
    {
        bool setModified = false;  // the view differs from the previous synchronisation
        bool loaded = false;       // a freshly read record was loaded into the view: the
                                   // view rebuilds derivatives and its list and redraws
    };

    // Runs the whole synchronisation. newDocument is the document's
    // new-document flag; it is cleared here, and a new document ends up
    // unmodified even when clearGraph(true) recentred the view afterwards.
    static Outcome Sync(SGraphState &view, EqStore &record, SGraphState &snapshot, bool &newDocument,
                        const std::function<void(bool recentre)> &clearGraph);

    // last, scales, pans, and slots 0..last whole (texts, flags, compiled form, pens).
    static void CopyViewIntoRecord(const SGraphState &view, SGraphState &record);
    // The same from the graph model's state into the document's record,
    // with what the file keeps beyond it: the results and the legend flag.
    static void CopyViewIntoRecord(const CViewState &view, EqStore &record);

    // What the modified flag cares about: last, scales, pans, and for the slots
    // the file holds (0..last) the coded text, the derivative-shown flag, the
    // width and the colour.
    static bool Differs(const SGraphState &snapshot, const SGraphState &record);

    // The record becomes the snapshot and the view's state: mapping, last,
    // and slots 0..last compiled from their typed texts with flags and pens;
    // the other slots are emptied. Derivatives are rebuilt by the caller.
    static void LoadRecordIntoView(const SGraphState &record, SGraphState &snapshot, SGraphState &view);

    // Clear Graph on the state: all texts empty, flags clear, last -1; with
    // recentre also the centred mapping (scales 1, pans 0).
    static void ClearView(SGraphState &view, bool recentre);

    // An unused slot: no typed text and no coded text, so nothing draws it.
    static void EmptySlot(CExpression &f);
};
