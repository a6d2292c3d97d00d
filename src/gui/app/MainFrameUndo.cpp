// Edit > Undo and Redo: the view keeps the history, the frame offers it.
#include "gui/app/MainFrame.h"

#include "gui/common/CommandIds.h"
#include "gui/view/CorvantaView.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUndoStack>

void CMainFrame::OnEditUndo(int)
{
    if (m_pView && m_pView->UndoStack()->canUndo())
        m_pView->UndoStack()->undo();
}

void CMainFrame::OnEditRedo(int)
{
    if (m_pView && m_pView->UndoStack()->canRedo())
        m_pView->UndoStack()->redo();
}

void CMainFrame::UpdateUndoActions()
{
    const QUndoStack *pStack = m_pView ? m_pView->UndoStack() : nullptr;
    const struct {
        int nId;
        bool bCan;
        QString strCaption;
        QString strName;
    } aItems[] = {
        {ID_EDIT_UNDO, pStack && pStack->canUndo(), QStringLiteral("&Undo"), pStack ? pStack->undoText() : QString()},
        {ID_EDIT_REDO, pStack && pStack->canRedo(), QStringLiteral("&Redo"), pStack ? pStack->redoText() : QString()},
    };
    for (const auto &item : aItems) {
        QAction *pAction = m_actions.value(item.nId);
        if (!pAction)
            continue;
        pAction->setEnabled(item.bCan);
        pAction->setText(item.bCan && !item.strName.isEmpty() ? item.strCaption + QLatin1Char(' ') + item.strName
                                                              : item.strCaption);
    }
}

bool CMainFrame::FieldHasNoUndo(QObject *pField, const QKeyEvent *pKey)
{
    const bool bUndo = pKey->matches(QKeySequence::Undo);
    if (!bUndo && !pKey->matches(QKeySequence::Redo))
        return false;
    const QLineEdit *pEdit = qobject_cast<QLineEdit *>(pField);
    if (const auto *pCombo = qobject_cast<QComboBox *>(pField))
        pEdit = pCombo->lineEdit();
    if (!pEdit)
        return false;
    return bUndo ? !pEdit->isUndoAvailable() : !pEdit->isRedoAvailable();
}
