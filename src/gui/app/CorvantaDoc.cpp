#include "gui/app/CorvantaDoc.h"

#include "core/doc/CvaFormat.h"
#include "gui/view/Message.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    // A file read but not yet shown must not surface in the new document.
    m_store.m_bSynced = true;
    m_bNewDocument = true;
    SetPathName(QString());
    SetModifiedFlag(false);
    emit updateAllViews();
}

void CCorvantaDoc::RefuseOpen(const QString &path, const QString &problem)
{
    ShowMessage(m_pMessageParent,
                QStringLiteral("Cannot open the document \"%1\".\n\n%2").arg(Native(path), problem),
                QString::fromLatin1(kWindowTitle), MsgIcon::Stop);
}

bool CCorvantaDoc::OnOpenDocument(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        RefuseOpen(path, QStringLiteral("The file does not exist."));
        return false;
    }
    // Only plain files: a folder, a pipe or a device is never a document,
    // and reading a pipe could wait for ever.
    if (!info.isFile() || info.isDir()) {
        RefuseOpen(path, QStringLiteral("It is not a file."));
        return false;
    }
    if (static_cast<quint64>(info.size()) > CCvaFormat::kMaxFileSize) {
        RefuseOpen(path, QStringLiteral("The file is too large to be a Corvanta document."));
        return false;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        RefuseOpen(path, file.errorString());
        return false;
    }
    // The file may have grown since it was measured: read one byte more
    // than the limit at most, never more.
    const QByteArray bytes = file.read(static_cast<qint64>(CCvaFormat::kMaxFileSize) + 1);
    if (file.error() != QFileDevice::NoError) {
        RefuseOpen(path, file.errorString());
        return false;
    }
    file.close();

    // Decoding writes the record only when the whole file is good.
    const CCvaFormat::Result result = CCvaFormat::Decode(
        reinterpret_cast<const std::uint8_t *>(bytes.constData()), static_cast<std::size_t>(bytes.size()), m_store);
    if (!result.Ok()) {
        RefuseOpen(path, QString::fromStdString(result.message));
        return false;
    }

    // The view loads the record at its next synchronisation; a pending
    // clear from File New would wipe it again.
    m_bNewDocument = false;
    SetPathName(info.absoluteFilePath());
    SetModifiedFlag(false);
    emit updateAllViews();
    return true;
}

bool CCorvantaDoc::OnSaveDocument(const QString &path)
{
    const std::vector<std::uint8_t> bytes = CCvaFormat::Encode(m_store);

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

    SetPathName(QFileInfo(path).absoluteFilePath());
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

void CCorvantaDoc::SetModifiedFlag(bool modified)
{
    if (m_bModified == modified)
        return;
    m_bModified = modified;
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

CDocumentSync::Outcome CCorvantaDoc::SyncView(SGraphState &view, SGraphState &snapshot,
                                              const std::function<void(bool)> &clearGraph)
{
    const bool wasNew = m_bNewDocument;
    const CDocumentSync::Outcome outcome = CDocumentSync::Sync(view, m_store, snapshot, m_bNewDocument, clearGraph);
    if (outcome.setModified)
        SetModifiedFlag(true);
    else if (wasNew)
        SetModifiedFlag(false);
    return outcome;
}
