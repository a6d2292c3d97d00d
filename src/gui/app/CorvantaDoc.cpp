#include "gui/app/CorvantaDoc.h"

#include "core/doc/CvaFormat.h"
#include "core/doc/DocumentFile.h"
#include "core/doc/DocumentSync.h"
#include "core/expr/SyntaxPlace.h"
#include "graph/model/Graph.h"
#include "gui/common/Message.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUndoStack>

#include <utility>
#include <vector>

namespace {
QString Native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
}  // namespace

CCorvantaDoc::CCorvantaDoc(QObject *parent) : QObject(parent) {}

void CCorvantaDoc::OnNewDocument()
{
    m_store = EqStore();
    m_bNewDocument = true;
    SetPathName(QString());
    if (m_pGraph)
        m_pGraph->Reset();
    m_bNewDocument = false;
    SetModifiedFlag(false);
    emit updateAllViews();
}

void CCorvantaDoc::RefuseOpen(const QString &path, const std::string &problem)
{
    ShowMessage(m_pMessageParent, QString::fromStdString(OpenFailureText(Native(path).toStdString(), problem)),
                QString::fromLatin1(kWindowTitle), MsgIcon::Stop);
}

bool CCorvantaDoc::OnOpenDocument(const QString &path)
{
    // The record is written only when the whole file is a good document.
    const std::string problem = ReadDocumentFile(QFile::encodeName(path).toStdString(), m_store);
    if (!problem.empty()) {
        RefuseOpen(path, problem);
        return false;
    }

    m_store.m_bSynced = true;
    m_bNewDocument = false;
    SetPathName(QFileInfo(path).absoluteFilePath());
    if (m_pGraph && !m_store.m_bBadFile)
        m_pGraph->Load(m_store);  // a fresh history, clean
    SetModifiedFlag(false);
    emit updateAllViews();
    TellInvalidFunctions();
    return true;
}

void CCorvantaDoc::TellInvalidFunctions() const
{
    QString strList;
    for (int i = 0; i <= m_store.m_nLast && i < SGraphState::kSlots; ++i) {
        const std::string &text = m_store.m_aFunctions[static_cast<std::size_t>(i)].m_strText;
        if (LocateSyntaxError(text).code != 0)
            strList += QStringLiteral("\n    ") + QString::fromStdString(text);
    }
    if (!strList.isEmpty())
        ShowMessage(m_pMessageParent,
                    QStringLiteral("This document holds functions that are not valid. They are kept, marked in "
                                   "the function list, and not drawn:\n") + strList,
                    QString::fromLatin1(kWindowTitle), MsgIcon::Warning);
}

EqStore CCorvantaDoc::Record() const
{
    EqStore record = m_store;
    if (m_pGraph)
        CDocumentSync::CopyViewIntoRecord(m_pGraph->State(), record);
    return record;
}

bool CCorvantaDoc::OnSaveDocument(const QString &path)
{
    const EqStore record = Record();
    const std::vector<std::uint8_t> bytes = CCvaFormat::Encode(record);

    // QSaveFile writes a temporary beside the target and renames it over the
    // old file only when everything was written. Unbuffered, because a
    // buffered write that fails while flushing (disk full) is not reported by
    // commit(), which would then replace the old file with a truncated one.
    QSaveFile file(path);
    const qint64 size = static_cast<qint64>(bytes.size());
    QString problem;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        problem = file.errorString();
    } else if (file.write(reinterpret_cast<const char *>(bytes.data()), size) != size || !file.flush() ||
               file.size() != size) {
        problem = file.error() != QFileDevice::NoError ? file.errorString()
                                                       : QStringLiteral("Not all of the document could be written.");
        file.cancelWriting();
    } else if (!file.commit()) {
        problem = file.errorString();
    }
    if (!problem.isNull()) {
        ShowMessage(m_pMessageParent,
                    QStringLiteral("Cannot save the document \"%1\".\n\n%2\n\nThe document has not been saved.")
                        .arg(Native(path), problem),
                    QString::fromLatin1(kWindowTitle), MsgIcon::Stop);
        return false;
    }

    m_store = record;
    SetPathName(QFileInfo(path).absoluteFilePath());
    if (m_pGraph)
        m_pGraph->UndoStack()->setClean();
    SetModifiedFlag(false);
    return true;
}

bool CCorvantaDoc::Save()
{
    if (!HasPath())
        return false;
    return OnSaveDocument(m_strPathName);
}

bool CCorvantaDoc::SaveModified(const std::function<QString()> &askPath)
{
    if (!m_bModified)
        return true;
    const QString name = HasPath() ? Native(m_strPathName) : GetTitle();
    const MsgAnswer answer = ShowMessage(m_pMessageParent, QStringLiteral("Save changes to %1?").arg(name),
                                         QString::fromLatin1(kWindowTitle), MsgIcon::Warning, MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::No)
        return true;
    if (answer != MsgAnswer::Yes)
        return false;
    if (HasPath())
        return Save();
    const QString path = askPath ? askPath() : QString();
    return !path.isEmpty() && SaveAs(path);
}

void CCorvantaDoc::SetGraph(CGraph *graph)
{
    if (m_pGraph) {
        disconnect(m_pGraph->UndoStack(), nullptr, this, nullptr);
        disconnect(m_pGraph, nullptr, this, nullptr);
    }
    m_pGraph = graph;
    if (!graph)
        return;
    // The history so far is this document's: where it stands now is clean
    // unless the document already holds unsaved changes.
    QUndoStack *stack = graph->UndoStack();
    if (m_bModified)
        stack->resetClean();
    else
        stack->setClean();
    connect(stack, &QUndoStack::cleanChanged, this, [this](bool clean) { SetModifiedFlag(!clean); });
    // The legend flag is saved but is no undo step: turning it on or off
    // changes the document all the same.
    m_bLegendShown = graph->State().m_bShowLegend;
    connect(graph, &CGraph::changed, this, [this] {
        const bool shown = m_pGraph->State().m_bShowLegend;
        if (std::exchange(m_bLegendShown, shown) != shown)
            SetModifiedFlag(true);
    });
}

void CCorvantaDoc::SetModifiedFlag(bool modified)
{
    const bool was = m_bModified;
    m_bModified = modified;
    // The graph's history says the same: clean is where the file stands.
    if (m_pGraph && m_pGraph->UndoStack()->isClean() == modified) {
        if (modified)
            m_pGraph->UndoStack()->resetClean();
        else
            m_pGraph->UndoStack()->setClean();
    }
    if (was != modified)
        emit modifiedChanged(modified);
}

QString CCorvantaDoc::GetTitle() const
{
    if (m_strPathName.isEmpty())
        return QString::fromLatin1(kUntitled);
    return QFileInfo(m_strPathName).fileName();
}

void CCorvantaDoc::SetPathName(const QString &path)
{
    if (m_strPathName == path)
        return;
    m_strPathName = path;
    emit titleChanged(GetTitle());
}
