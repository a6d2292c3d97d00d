#include "gui/linalg/FieldValidation.h"

#include "gui/view/Message.h"

#include <QLineEdit>

#include <charconv>
#include <cmath>
#include <string>

namespace {
const QString kCaption = QStringLiteral("Corvanta");
}

std::optional<int> ParseInteger(const QString &strText)
{
    bool bOk = false;
    const int nValue = strText.trimmed().toInt(&bOk);  // C locale, whole text
    return bOk ? std::optional<int>(nValue) : std::nullopt;
}

std::optional<double> ParseNumber(const QString &strText)
{
    std::string text = strText.trimmed().toStdString();
    if (!text.empty() && text[0] == '+')
        text.erase(0, 1);
    double value = 0.0;
    const char *pEnd = text.data() + text.size();
    const auto res = std::from_chars(text.data(), pEnd, value);
    if (text.empty() || res.ec != std::errc() || res.ptr != pEnd || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ReadIntegerField(QWidget *parent, const QLineEdit *pField, int nMin, int nMax)
{
    const std::optional<int> nValue = ParseInteger(pField->text());
    if (!nValue) {
        ShowMessage(parent, QStringLiteral("Please enter an integer."), kCaption, MsgIcon::Warning);
        return std::nullopt;
    }
    if (*nValue < nMin || *nValue > nMax) {
        ShowMessage(parent, QStringLiteral("Please enter an integer between %1 and %2.").arg(nMin).arg(nMax), kCaption,
                    MsgIcon::Warning);
        return std::nullopt;
    }
    return nValue;
}

std::optional<double> ReadNumberField(QWidget *parent, const QLineEdit *pField)
{
    const std::optional<double> value = ParseNumber(pField->text());
    if (!value)
        ShowMessage(parent, QStringLiteral("Please enter a number."), kCaption, MsgIcon::Warning);
    return value;
}
