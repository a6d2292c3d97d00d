#include "gui/linalg/FieldValidation.h"

#include "core/expr/NumberText.h"
#include "gui/common/Message.h"

#include <QLineEdit>


std::optional<int> ReadIntegerField(QWidget *parent, const QLineEdit *pField, int nMin, int nMax)
{
    const std::optional<int> nValue = ReadWholeInteger(pField->text().toStdString());
    if (!nValue) {
        ShowMessage(parent, QStringLiteral("Please enter an integer."), QString::fromLatin1(kProgramName),
                    MsgIcon::Warning);
        return std::nullopt;
    }
    if (*nValue < nMin || *nValue > nMax) {
        ShowMessage(parent, QStringLiteral("Please enter an integer between %1 and %2.").arg(nMin).arg(nMax),
                    QString::fromLatin1(kProgramName), MsgIcon::Warning);
        return std::nullopt;
    }
    return nValue;
}
