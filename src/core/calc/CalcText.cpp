#include "core/calc/CalcText.h"

#include "core/calc/BaseNumber.h"
#include "core/expr/NumberText.h"

#include <cmath>

namespace {

constexpr const char *kDegreeSign = "\xC2\xB0";

std::string RemoveSpaces(std::string s)
{
    std::erase(s, ' ');
    return s;
}

}  // namespace

std::string FormatG16(double dValue) { return FormatSignificant(dValue, 16); }
std::string FormatG10(double dValue) { return FormatSignificant(dValue, 10); }

bool IsIntegral(double dValue) { return std::trunc(dValue) == dValue; }

std::string FormatResult(double dValue) { return FormatG16(dValue) + (IsIntegral(dValue) ? ". " : "  "); }

std::string FormatPowerResult(double dValue) { return FormatG16(dValue) + (IsIntegral(dValue) ? ". " : " "); }

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
    const double d = std::trunc(ReadNumberText(strText));
    return d >= 2 && d <= 36 ? static_cast<int>(d) : 0;
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
    return std::string(bNegative ? "-" : "") + FormatG16(dValue) + "  ";
}

std::string RefusalText(const SCalcResult &result)
{
    return result.strReason + " at character " + std::to_string(result.nPosition + 1);
}

std::pair<double, double> RectToPolar(double x, double y)
{
    const double r = std::hypot(x, y);
    const double a = x == 0 && y == 0 ? 0.0 : std::atan2(y, x) * 57.29577951308232;
    return {r, a};
}

std::pair<double, double> PolarToRect(double r, double dDegrees)
{
    const double a = dDegrees * 0.017453292519943295;
    return {r * std::cos(a), r * std::sin(a)};
}

std::pair<std::string, std::string> RectToPolarTexts(double x, double y)
{
    const auto [r, a] = RectToPolar(x, y);
    return {FormatG10(r), FormatG10(a)};
}

std::pair<std::string, std::string> PolarToRectTexts(double r, double dDegrees)
{
    const auto [x, y] = PolarToRect(r, dDegrees);
    return {FormatG10(x), FormatG10(y)};
}
