#include "gui/analysis/NumberFields.h"

#include "core/expr/NumberText.h"
#include "gui/view/Message.h"

#include <QDialog>
#include <QLineEdit>

#include <charconv>
#include <cmath>

namespace {

const char *const kCaption = "Corvanta";

void Refuse(QLineEdit *edit, const QString &text)
{
    ShowMessage(edit ? edit->window() : nullptr, text, QString::fromLatin1(kCaption), MsgIcon::Warning);
    if (edit) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

}  // namespace

std::optional<double> ParseNumberField(const QString &text)
{
    QByteArray bytes = text.trimmed().toLatin1();
    if (bytes.startsWith('+'))
        bytes.remove(0, 1);
    if (bytes.isEmpty())
        return std::nullopt;
    // from_chars would take "nan" and "inf"; a field takes digits only.
    const char c = bytes.startsWith('-') && bytes.size() > 1 ? bytes[1] : bytes[0];
    if (!((c >= '0' && c <= '9') || c == '.'))
        return std::nullopt;
    double value = 0;
    const auto res = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
    if (res.ec != std::errc() || res.ptr != bytes.constData() + bytes.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString NumberFieldText(double value) { return QString::number(value, 'g', 15); }

bool ReadNumberField(QLineEdit *edit, double &value)
{
    const auto number = ParseNumberField(edit ? edit->text() : QString());
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

int RunDialog(QDialog &dialog, const DialogRunner &run) { return run ? run(dialog) : dialog.exec(); }
