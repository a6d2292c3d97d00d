#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The most-recently-used document list, newest first, kept in the profile
// under "Recent File List" as "File1" .. "FileN".
class CRecentFileList
{
public:
    explicit CRecentFileList(int nSize);

    void Load(QSettings &settings);
    void Save(QSettings &settings) const;

    // Puts the path at the top; an entry naming the same file moves up instead
    // of appearing twice.
    void Add(const QString &strPath);
    void Remove(int nIndex);

    int Size() const { return m_nSize; }
    int Count() const { return static_cast<int>(m_aPaths.size()); }
    QString Path(int nIndex) const;
    const QStringList &Paths() const { return m_aPaths; }

    // Menu text of an entry: "&1 name" with the file name (the full path when
    // two entries share a file name).
    QString MenuText(int nIndex) const;

private:
    int m_nSize;
    QStringList m_aPaths;
};
