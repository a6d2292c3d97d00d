#include "gui/app/RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const char *const kSection = "Recent File List";

QString Canonical(const QString &strPath)
{
    return QDir::cleanPath(QFileInfo(strPath).absoluteFilePath());
}
}  // namespace

CRecentFileList::CRecentFileList(int nSize) : m_nSize(nSize > 0 ? nSize : 1) {}

void CRecentFileList::Load(QSettings &settings)
{
    m_aPaths.clear();
    settings.beginGroup(QLatin1String(kSection));
    for (int i = 0; i < m_nSize; ++i) {
        const QString strPath = settings.value(QStringLiteral("File%1").arg(i + 1)).toString();
        // Holes and duplicates in a hand-edited profile are dropped.
        if (!strPath.isEmpty() && !m_aPaths.contains(strPath))
            m_aPaths.append(strPath);
    }
    settings.endGroup();
}

void CRecentFileList::Save(QSettings &settings) const
{
    settings.beginGroup(QLatin1String(kSection));
    for (int i = 0; i < m_nSize; ++i) {
        const QString strKey = QStringLiteral("File%1").arg(i + 1);
        if (i < m_aPaths.size())
            settings.setValue(strKey, m_aPaths.at(i));
        else
            settings.remove(strKey);
    }
    settings.endGroup();
}

void CRecentFileList::Add(const QString &strPath)
{
    if (strPath.isEmpty())
        return;
    const QString strFull = Canonical(strPath);
    for (int i = 0; i < m_aPaths.size(); ++i)
        if (Canonical(m_aPaths.at(i)) == strFull) {
            m_aPaths.removeAt(i);
            break;
        }
    m_aPaths.prepend(strFull);
    while (m_aPaths.size() > m_nSize)
        m_aPaths.removeLast();
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < m_aPaths.size())
        m_aPaths.removeAt(nIndex);
}

QString CRecentFileList::Path(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_aPaths.size() ? m_aPaths.at(nIndex) : QString();
}

QString CRecentFileList::MenuText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_aPaths.size())
        return {};
    const QString strName = QFileInfo(m_aPaths.at(nIndex)).fileName();
    bool bShared = false;
    for (int i = 0; i < m_aPaths.size(); ++i)
        if (i != nIndex && QFileInfo(m_aPaths.at(i)).fileName() == strName)
            bShared = true;
    QString strShown = bShared ? QDir::toNativeSeparators(m_aPaths.at(nIndex)) : strName;
    strShown.replace(QLatin1Char('&'), QLatin1String("&&"));  // a file name is not a mnemonic
    return QStringLiteral("&%1 %2").arg(nIndex + 1).arg(strShown);
}
