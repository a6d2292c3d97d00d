#pragma once

#include <QListWidget>
#include <QStringList>
#include <QWidget>

// The lines of an analysis page's result list.
inline QStringList ResultLines(const QWidget *pPage)
{
    QStringList lines;
    const auto *pList = pPage->findChild<QListWidget *>();
    for (int i = 0; pList && i < pList->count(); ++i)
        lines << pList->item(i)->text();
    return lines;
}
