#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

// What a linear-algebra tool held when it closed: its sizes and the texts of
// its grids. The window that opens the tool owns it, so the typed work is
// there again the next time the tool opens during the run.
class CKeptWork : public QObject
{
    Q_OBJECT
public:
    // The record of the tool named strTool under pOwner, made on first use;
    // nothing without an owner.
    static CKeptWork *For(QObject *pOwner, const QString &strTool);

    bool m_bKept = false;                 // false until the tool first closes
    QList<int> m_aSizes;                  // in the tool's own order
    QString m_strNumber;                  // a number field, where the tool has one
    QList<QList<QStringList>> m_aGrids;   // each grid's cells, a list a row

private:
    using QObject::QObject;
};
