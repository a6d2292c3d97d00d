#include "gui/linalg/KeptWork.h"

CKeptWork *CKeptWork::For(QObject *pOwner, const QString &strTool)
{
    if (!pOwner)
        return nullptr;
    const QString strName = QStringLiteral("keptWork.") + strTool;
    if (auto *pKept = pOwner->findChild<CKeptWork *>(strName, Qt::FindDirectChildrenOnly))
        return pKept;
    auto *pKept = new CKeptWork(pOwner);
    pKept->setObjectName(strName);
    return pKept;
}
