#include "gui/app/DocumentCommands.h"

#include "gui/app/CorvantaDoc.h"
#include "gui/common/Message.h"
#include "gui/common/UserPrompts.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

CDocumentCommands::CDocumentCommands(QWidget *pWindow, int nRecentCount)
    : QObject(pWindow), m_pWindow(pWindow), m_recent(nRecentCount)
{
}

QString CDocumentCommands::AskFileName(bool bSave, const QString &strSuggested)
{
    SFileQuestion question;
    question.title = bSave ? QStringLiteral("Save As") : QStringLiteral("Open");
    question.bSave = bSave;
    question.filters = {QString::fromLatin1(CCorvantaDoc::kFilterName)};
    question.defaultSuffix = QString::fromLatin1(CCorvantaDoc::kExtension).mid(1);
    question.suggested = strSuggested;
    question.directory = m_strLastDirectory;
    const QString strPath = CUserPrompts::Current().AskFile(m_pWindow, question).path;
    if (strPath.isEmpty())
        return {};
    m_strLastDirectory = QFileInfo(strPath).absolutePath();
    if (bSave && QFileInfo::exists(strPath) &&
        ShowMessage(m_pWindow,
                    QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(strPath)),
                    QStringLiteral("Save As"), MsgIcon::Warning, MsgButtons::YesNo) != MsgAnswer::Yes)
        return {};
    return strPath;
}

bool CDocumentCommands::SaveModified()
{
    if (!m_pDocument)
        return true;
    const QString strBefore = m_pDocument->GetPathName();
    const bool bGoOn = m_pDocument->SaveModified([this] {
        return AskFileName(true, m_pDocument->GetTitle() + QString::fromLatin1(CCorvantaDoc::kExtension));
    });
    // A document saved under a new name joins the recent files.
    if (bGoOn && m_pDocument->HasPath() && m_pDocument->GetPathName() != strBefore)
        AddToRecentFileList(m_pDocument->GetPathName());
    return bGoOn;
}

void CDocumentCommands::New()
{
    if (!m_pDocument || !SaveModified())
        return;
    m_pDocument->OnNewDocument();
}

void CDocumentCommands::Open()
{
    if (!m_pDocument)
        return;
    const QString strPath = AskFileName(false, QString());
    if (!strPath.isEmpty())
        OpenDocumentFile(strPath);
}

void CDocumentCommands::Save()
{
    if (!m_pDocument)
        return;
    if (m_pDocument->HasPath())
        m_pDocument->Save();
    else
        SaveAs();
}

void CDocumentCommands::SaveAs()
{
    if (!m_pDocument)
        return;
    const QString strSuggested = m_pDocument->HasPath()
                                     ? m_pDocument->GetPathName()
                                     : m_pDocument->GetTitle() + QString::fromLatin1(CCorvantaDoc::kExtension);
    const QString strPath = AskFileName(true, strSuggested);
    if (!strPath.isEmpty() && m_pDocument->SaveAs(strPath))
        AddToRecentFileList(m_pDocument->GetPathName());
}

void CDocumentCommands::OpenRecent(int nIndex)
{
    const QString strPath = m_recent.Path(nIndex);
    if (strPath.isEmpty())
        return;
    // A file that has gone away leaves the list once it has been reported.
    if (!OpenDocumentFile(strPath) && m_pDocument && !QFileInfo::exists(strPath) &&
        m_recent.Path(nIndex) == strPath) {
        m_recent.Remove(nIndex);
        QSettings settings(QStringLiteral("HALDEN"), QStringLiteral("Corvanta"));
        m_recent.Save(settings);
        emit recentFilesChanged();
    }
}

bool CDocumentCommands::OpenDocumentFile(const QString &strPath)
{
    if (strPath.isEmpty())
        return false;
    m_strPendingPath = QFileInfo(strPath).absoluteFilePath();
    emit documentOpenRequested(m_strPendingPath);
    if (!m_pDocument || !SaveModified())
        return false;
    // A file that is refused has been named in a message; nothing changed.
    if (!m_pDocument->OnOpenDocument(m_strPendingPath))
        return false;
    m_strLastDirectory = QFileInfo(m_strPendingPath).absolutePath();
    AddToRecentFileList(m_strPendingPath);
    return true;
}

void CDocumentCommands::AddToRecentFileList(const QString &strPath)
{
    m_recent.Add(strPath);
    QSettings settings(QStringLiteral("HALDEN"), QStringLiteral("Corvanta"));
    m_recent.Save(settings);
    emit recentFilesChanged();
}
