#pragma once

#include "core/doc/DocumentRecord.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QString>

#include <functional>
#include <string>

// The document: the graph it serialises, the record of the file it came
// from, the modified flag (the graph history's clean state) and the path.
// Files are read whole and checked before anything changes, and written
// through a temporary so a failed save never damages the previous file.
class CGraph;

class CCorvantaDoc : public QObject
{
    Q_OBJECT

public:
    // Window title, new-document name, file-new name, filter, extension,
    // type id and type name of the document type.
    static constexpr const char *kWindowTitle = "Corvanta";
    static constexpr const char *kFileNewName = "Graph";
    static constexpr const char *kFilterName = "Corvanta Functions (*.cva)";
    static constexpr const char *kExtension = ".cva";
    static constexpr const char *kTypeId = "Corvanta.Document";
    static constexpr const char *kTypeName = "Graph Document";
    static constexpr const char *kUntitled = "Untitled";

    explicit CCorvantaDoc(QObject *parent = nullptr);

    bool m_bNewDocument = false;  // set only while File New empties the graph
    EqStore m_store;              // the file as last read or written

    // File New: no path, unmodified, an empty centred graph.
    void OnNewDocument();

    // File Open. A file that cannot be read or is not a good document is
    // refused with a message naming it; the document stays exactly as it was.
    bool OnOpenDocument(const QString &path);

    // Writes the record to path. On failure the message names the file, the
    // previous file is untouched and the document stays modified.
    bool OnSaveDocument(const QString &path);

    // Save to the document's own file; false without writing when it has
    // none yet (the caller asks for a name and uses SaveAs).
    bool Save();
    bool SaveAs(const QString &path) { return OnSaveDocument(path); }

    // Before New, Open, opening a recent file and quitting: a modified
    // document asks "Save changes to ...?". Yes saves (askPath supplies a
    // file name for a document that has none; empty means cancelled), No
    // discards. False means the caller must not go on: Cancel, or a save
    // that did not happen.
    bool SaveModified(const std::function<QString()> &askPath);

    // The graph this document reads into and writes from. Once it is set
    // the modified flag follows its history's clean state: New and Open
    // clear the history, a save marks it clean.
    void SetGraph(CGraph *graph);
    // The record a save writes: the file's record with the graph in it.
    EqStore Record() const;

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    bool HasPath() const { return !m_strPathName.isEmpty(); }
    const QString &GetPathName() const { return m_strPathName; }
    // The file's name, or "Untitled" for a document never saved.
    QString GetTitle() const;

    // The window over which messages are shown.
    void SetMessageParent(QWidget *parent) { m_pMessageParent = parent; }

signals:
    void modifiedChanged(bool modified);
    void titleChanged(const QString &title);
    // After New and after a successful Open.
    void updateAllViews();

private:
    // After an open: a warning naming the functions the syntax check refuses.
    void TellInvalidFunctions() const;
    void RefuseOpen(const QString &path, const std::string &problem);
    void SetPathName(const QString &path);

    bool m_bModified = false;
    QString m_strPathName;
    QPointer<QWidget> m_pMessageParent;  // the frame may go first
    QPointer<CGraph> m_pGraph;
    bool m_bLegendShown = false;  // the graph's legend flag as last seen
};
