#include "core/calc/CalcText.h"

#include "core/calc/BaseNumber.h"
#include "core/calc/CalcEvaluator.h"
#include "core/expr/Angle.h"
#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"

#include <cmath>

namespace {

constexpr const char *kDegreeSign = "\xC2\xB0";

std::string RemoveSpaces(std::string s)
{
    std::erase(s, ' ');
    return s;
}

}  // namespace

bool IsIntegral(double dValue) { return std::trunc(dValue) == dValue; }

std::string FormatResult(double dValue) { return ShownField(dValue) + (IsIntegral(dValue) ? ". " : "  "); }

std::string FormatPowerResult(double dValue) { return ShownField(dValue) + (IsIntegral(dValue) ? ". " : " "); }

std::string PowerText(double dValue, int nShownBase)
{
    if (nShownBase == 10 || !CBaseNumber::IsValidBase(nShownBase))
        return FormatPowerResult(dValue);
    return FormatResultInBase(dValue, nShownBase);
}

std::string FormatResultInBase(double dValue, int nBase)
{
    CBaseNumber number;
    if (!CBaseNumber::IsValidBase(nBase))
        return {};
    number.FromDecimal(dValue, nBase);
    const std::string &s = number.m_strOutput;
    return s + (s.find('.') != std::string::npos ? "  " : ". ");
}

int BaseFieldValue(const std::string &strText)
{
    // 16.9 is no base: only a whole number is taken, not its leading part.
    std::size_t i = strText.find_first_not_of(" \t");
    std::size_t j = strText.find_last_not_of(" \t");
    if (i == std::string::npos)
        return 0;
    if (strText[i] == '+')
        ++i;
    if (j < i || j - i > 2)
        return 0;
    int n = 0;
    for (std::size_t k = i; k <= j; ++k) {
        if (strText[k] < '0' || strText[k] > '9')
            return 0;
        n = n * 10 + (strText[k] - '0');
    }
    return n >= 2 && n <= 36 ? n : 0;
}

int TokenBase(const std::string &strFrom)
{
    const int nFrom = BaseFieldValue(strFrom);
    return nFrom == 10 ? -1 : nFrom;
}

std::string EqualsText(double dValue, int nShownBase)
{
    return nShownBase == 10 ? FormatResult(dValue) : FormatResultInBase(dValue, nShownBase);
}

std::string StoreText(const std::string &strDisplay, bool bIntegral)
{
    std::string s = RemoveSpaces(strDisplay);
    if (bIntegral && !s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}

std::string CopyText(const std::string &strDisplay)
{
    const std::string s = RemoveSpaces(strDisplay);
    return StoreText(s, IsIntegral(ReadNumberText(s)));
}

std::string RecallText(const std::string &strMemory)
{
    std::string s;
    for (std::size_t i = 0; i < strMemory.size(); ++i) {
        if (strMemory.compare(i, 2, "e+") == 0) {
            s += "*10^";
            ++i;
        } else if (strMemory.compare(i, 2, "e-") == 0) {
            s += "*10^-";
            ++i;
        } else {
            s += strMemory[i];
        }
    }
    return s;
}

namespace {

constexpr const char *kBaseMark = " (base ";

}  // namespace

double DisplayValue(const std::string &strDisplay, int nShownBase)
{
    std::string s = RemoveSpaces(strDisplay);
    if (nShownBase == 10 || !CBaseNumber::IsValidBase(nShownBase))
        return ReadNumberText(s);
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    const SCalcResult r = EvaluateCalcText(s, false, nShownBase);
    return r.Ok() ? r.dValue : std::nan("");
}

std::string MemoryText(const std::string &strDisplay, bool bIntegral, int nShownBase)
{
    const std::string s = StoreText(strDisplay, bIntegral);
    if (nShownBase == 10 || !CBaseNumber::IsValidBase(nShownBase))
        return s;
    return s + kBaseMark + std::to_string(nShownBase) + ")";
}

std::string ValueText(double dValue, int nTokenBase)
{
    if (nTokenBase == -1 || nTokenBase == 10 || !CBaseNumber::IsValidBase(nTokenBase)) {
        // The shortest text that reads back as the same double; the
        // evaluator reads its exponent as part of the number.
        for (int nDigits = kShownDigits; nDigits < 17; ++nDigits)
            if (const std::string s = FormatSignificant(dValue, nDigits); ReadNumberText(s) == dValue)
                return s;
        return FormatSignificant(dValue, 17);
    }
    CBaseNumber number;
    number.FromDecimal(dValue, nTokenBase);
    return number.m_strOutput;
}

std::string RecallText(const std::string &strMemory, int nTokenBase)
{
    const std::size_t mark = strMemory.find(kBaseMark);
    const int nTokens = nTokenBase == -1 ? 10 : nTokenBase;
    if (mark == std::string::npos)
        return RecallText(strMemory);
    const int nBase = BaseFieldValue(strMemory.substr(mark + std::string(kBaseMark).size(),
                                                      strMemory.size() - 1 - mark - std::string(kBaseMark).size()));
    const std::string strDigits = strMemory.substr(0, mark);
    if (nBase == 0 || nBase == nTokens)
        return strDigits;
    const double dValue = DisplayValue(strDigits, nBase);
    return std::isfinite(dValue) ? ValueText(dValue, nTokenBase) : strDigits;
}

std::string InsertValue(const std::string &strExpression, const std::string &strValue)
{
    const std::size_t end = strExpression.find_last_not_of(" \t\r\n");
    const char last = end == std::string::npos ? '\0' : strExpression[end];
    const bool bOperand = (last >= '0' && last <= '9') || last == '.' || last == ')' || last == '!' || last == '\'' ||
                          last == '"' || (last >= 'a' && last <= 'z') || (last >= 'A' && last <= 'Z') ||
                          static_cast<unsigned char>(last) >= 0x80;
    // A negative value after an operator also keeps its sign to itself.
    if (bOperand || (!strValue.empty() && strValue.front() == '-' && last != '\0' && last != '('))
        return strExpression + "(" + strValue + ")";
    return strExpression + strValue;
}

std::string ConvertDms(const std::string &strDisplay, int nShownBase)
{
    if (nShownBase == 10 || strDisplay.find('\'') != std::string::npos || !CBaseNumber::IsValidBase(nShownBase))
        return ConvertDms(strDisplay);
    const double v = DisplayValue(strDisplay, nShownBase);
    return std::isfinite(v) ? ConvertDms(FormatSignificant(v, 17)) : strDisplay;
}

std::string ConvertDms(const std::string &strDisplay)
{
    if (strDisplay.find('\'') == std::string::npos) {
        double v = ReadNumberText(strDisplay);
        if (!std::isfinite(v))
            return strDisplay;
        const bool bNegative = v < 0;
        v = std::fabs(v);
        double d = std::trunc(v);
        const double f = v - d;
        double m = std::trunc(f * 60);
        double s = (f * 60 - m) * 60;
        // Seconds are shown to hundredths: 59.995 and up is a whole minute.
        if (std::round(s * 100) >= 6000) {
            s = 0;
            m += 1;
        }
        if (m >= 60) {
            m -= 60;
            d += 1;
        }
        return std::string(bNegative ? "-" : "") + FormatFixed(d, 0) + kDegreeSign + " " +
               FormatFixed(m, 0) + "' " + FormatFixed(s, 2) + "\"  ";
    }
    std::string s = RemoveSpaces(strDisplay);
    const bool bNegative = s.find('-') != std::string::npos;
    std::erase(s, '-');
    const std::size_t degree = s.find(kDegreeSign);
    const std::size_t minute = s.find('\'');
    const std::size_t second = s.find('"');
    const std::size_t afterDegree = degree == std::string::npos ? 0 : degree + 2;
    const double d = ReadNumberText(s.substr(0, degree));
    const double m = minute < afterDegree ? 0.0 : ReadNumberText(s.substr(afterDegree, minute - afterDegree));
    const double sec = second < minute || minute == std::string::npos ? 0.0 : ReadNumberText(s.substr(minute + 1, second - minute - 1));
    const double dValue = sec * 0.0002777777777777778 + m * 0.016666666666666666 + d;
    return std::string(bNegative ? "-" : "") + ShownField(dValue) + "  ";
}

std::string RefusalText(const SCalcResult &result)
{
    if (result.nPosition == SCalcResult::kNoPosition)
        return result.strReason;
    return result.strReason + " at character " + std::to_string(result.nPosition + 1);
}

std::pair<double, double> RectToPolar(double x, double y)
{
    const double r = std::hypot(x, y);
    const double a = x == 0 && y == 0 ? 0.0 : std::atan2(y, x) / kRadiansPerDegree;
    return {r, a};
}

std::pair<double, double> PolarToRect(double r, double dDegrees)
{
    // Exact at the quarter turns: (2, 90) is (0, 2), not (1.2e-16, 2).
    const auto [s, c] = SinCosDegrees(dDegrees);
    return {static_cast<double>(r * c), static_cast<double>(r * s)};
}

std::pair<std::string, std::string> RectToPolarTexts(double x, double y)
{
    const auto [r, a] = RectToPolar(x, y);
    return {FormatSignificant(r, 10), FormatSignificant(a, 10)};
}

std::pair<std::string, std::string> PolarToRectTexts(double r, double dDegrees)
{
    const auto [x, y] = PolarToRect(r, dDegrees);
    return {FormatSignificant(x, 10), FormatSignificant(y, 10)};
}
