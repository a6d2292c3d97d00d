#include "graph/model/GraphCommand.h"

#include "core/doc/DocumentSync.h"
#include "graph/model/Graph.h"

CGraphCommand::CGraphCommand(CGraph &graph, SViewSnapshot before, SViewSnapshot after, const QString &name,
                             int gesture)
    : m_graph(graph), m_before(std::move(before)), m_after(std::move(after)), m_nGesture(gesture)
{
    setText(name);
}

bool CGraphCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = dynamic_cast<const CGraphCommand *>(other);
    if (!next || m_nGesture == 0 || next->m_nGesture != m_nGesture)
        return false;
    m_after = next->m_after;
    const std::string name = ChangeName(m_before.graph, m_after.graph);
    if (!name.empty())
        setText(QString::fromStdString(name));
    // A gesture that ended where it began leaves no step behind.
    setObsolete(!CDocumentSync::Differs(m_before.graph, m_after.graph));
    return true;
}

void CGraphCommand::undo()
{
    m_bDone = false;
    m_graph.Restore(m_after, m_before);
}

void CGraphCommand::redo()
{
    if (m_bDone)
        return;  // pushed after the change itself
    m_bDone = true;
    m_graph.Restore(m_before, m_after);
}
