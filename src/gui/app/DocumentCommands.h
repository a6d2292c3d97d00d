#pragma once

#include "gui/app/RecentFileList.h"

#include <QObject>
#include <QString>


class QWidget;
class CCorvantaDoc;

// The file commands on the document shown in the main window: New, Open,
// Save, Save As and the recent files, with the questions they ask. Messages
// and file dialogs open above the window given.
class CDocumentCommands : public QObject
{
    Q_OBJECT
public:
    CDocumentCommands(QWidget *pWindow, int nRecentCount);

    void SetDocument(CCorvantaDoc *pDocument) { m_pDocument = pDocument; }
    CCorvantaDoc *Document() const { return m_pDocument; }

    void New();
    void Open();
    void Save();
    void SaveAs();
    void OpenRecent(int nIndex);

    // A document to open (command line, drop, recent-file list). A modified
    // document is offered for saving first; a file opened becomes the newest
    // recent file, one that cannot be opened leaves everything as it was.
    // Returns whether the file is now the document.
    bool OpenDocumentFile(const QString &strPath);

    // Asks for a file name: bSave for Save As (the file may be new), else
    // for Open. Empty means cancelled.
    QString AskFileName(bool bSave, const QString &strSuggested);

    // "Save changes to ...?" before the document is replaced or the program
    // ends; false when the user cancelled or the save did not happen.
    bool SaveModified();

    CRecentFileList &RecentFiles() { return m_recent; }
    void AddToRecentFileList(const QString &strPath);

signals:
    void documentOpenRequested(const QString &strPath);
    void recentFilesChanged();

private:
    QWidget *m_pWindow;
    CCorvantaDoc *m_pDocument = nullptr;
    CRecentFileList m_recent;
    QString m_strPendingPath;
    QString m_strLastDirectory;
};
