#include "gui/view/NumberField.h"

#include "core/expr/ConstantValue.h"
#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"
#include "gui/common/Message.h"

#include <QLineEdit>

namespace {

void Refuse(QLineEdit *edit, const QString &text)
{
    ShowMessage(edit ? edit->window() : nullptr, text, QString::fromLatin1(kProgramName), MsgIcon::Warning);
    if (edit) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

}  // namespace

QString NumberFieldText(double value) { return QString::fromStdString(ShownField(value)); }

bool ReadNumberField(QLineEdit *edit, double &value)
{
    const auto number = ReadConstantValue(edit ? edit->text().toStdString() : std::string());
    if (!number) {
        Refuse(edit, QStringLiteral("Please enter a number."));
        return false;
    }
    value = *number;
    return true;
}

bool ReadNumberField(QLineEdit *edit, double &value, double min, double max)
{
    double v = 0;
    if (!ReadNumberField(edit, v))
        return false;
    if (v < min || v > max) {
        Refuse(edit, QString::fromStdString(NumberRangeText(min, max)));
        return false;
    }
    value = v;
    return true;
}
