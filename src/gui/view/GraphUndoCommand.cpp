#include "gui/view/GraphUndoCommand.h"

#include "core/doc/DocumentSync.h"
#include "gui/view/CorvantaView.h"

CGraphUndoCommand::CGraphUndoCommand(CCorvantaView &view, SViewSnapshot before, SViewSnapshot after, int gesture)
    : m_view(view), m_before(std::move(before)), m_after(std::move(after)), m_nGesture(gesture)
{
    Name();
}

void CGraphUndoCommand::Name()
{
    setText(QString::fromStdString(ChangeName(m_before.graph, m_after.graph)));
}

bool CGraphUndoCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = dynamic_cast<const CGraphUndoCommand *>(other);
    if (!next || m_nGesture == 0 || next->m_nGesture != m_nGesture)
        return false;
    m_after = next->m_after;
    Name();
    // A gesture that ended where it began leaves no step behind.
    setObsolete(!CDocumentSync::Differs(m_before.graph, m_after.graph));
    return true;
}

void CGraphUndoCommand::Apply(const SViewSnapshot &state)
{
    // The autoscale mode goes back only with a step that switched it; a mode
    // chosen since stays.
    if (m_before.autoscale == m_after.autoscale) {
        SViewSnapshot kept = state;
        kept.autoscale = m_view.m_bAutoscale;
        m_view.RestoreUndoState(kept);
        return;
    }
    m_view.RestoreUndoState(state);
}

void CGraphUndoCommand::undo()
{
    m_bDone = false;
    Apply(m_before);
}

void CGraphUndoCommand::redo()
{
    if (m_bDone)
        return;  // recorded after the change itself
    m_bDone = true;
    Apply(m_after);
}
