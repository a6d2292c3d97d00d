#pragma once

#include "core/plot/ViewSnapshot.h"

#include <QUndoCommand>

class CGraph;

// One change of the graph in its undo history: the graph before and after
// it. The change has been made when the command is pushed, so the first redo
// does nothing. The steps of one gesture share a number and merge.
class CGraphCommand : public QUndoCommand
{
public:
    static constexpr int kGestureId = 0x6772;

    CGraphCommand(CGraph &graph, SViewSnapshot before, SViewSnapshot after, const QString &name, int gesture);

    int id() const override { return m_nGesture != 0 ? kGestureId : -1; }
    bool mergeWith(const QUndoCommand *other) override;
    void undo() override;
    void redo() override;

private:
    CGraph &m_graph;
    SViewSnapshot m_before;
    SViewSnapshot m_after;
    int m_nGesture;
    bool m_bDone = true;
};
