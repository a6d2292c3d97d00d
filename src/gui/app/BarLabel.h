#pragma once

#include <QLabel>
#include <QString>

// The object name of a bar's control: "ctl" and its control id.
inline QString BarControlName(int nId) { return QStringLiteral("ctl%1").arg(nId); }

// A label of a bar; its text is never read as markup.
inline QLabel *MakeBarLabel(const QString &strText, QWidget *parent)
{
    auto *pLabel = new QLabel(strText, parent);
    pLabel->setTextFormat(Qt::PlainText);
    return pLabel;
}
