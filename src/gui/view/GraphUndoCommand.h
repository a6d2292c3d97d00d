#pragma once

#include "core/plot/ViewSnapshot.h"

#include <QUndoCommand>

class CCorvantaView;

// One change of the graph in the view's undo history: the view before and
// after it. The change has been made when the command is recorded, so the
// first redo does nothing. The steps of one gesture (a drag, a run of wheel
// notches or arrow presses) share a number and merge into one command.
class CGraphUndoCommand : public QUndoCommand
{
public:
    static constexpr int kGestureId = 0x6772;

    CGraphUndoCommand(CCorvantaView &view, SViewSnapshot before, SViewSnapshot after, int gesture);

    int id() const override { return m_nGesture != 0 ? kGestureId : -1; }
    bool mergeWith(const QUndoCommand *other) override;
    void undo() override;
    void redo() override;

    int Gesture() const { return m_nGesture; }

private:
    void Name();
    void Apply(const SViewSnapshot &state);

    CCorvantaView &m_view;
    SViewSnapshot m_before;
    SViewSnapshot m_after;
    int m_nGesture;
    bool m_bDone = true;
};
