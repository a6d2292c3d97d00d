#include "core/calc/CalcText.h"

#include "core/calc/BaseNumber.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr const char *kDegreeSign = "\xC2\xB0";

std::string ToChars(double dValue, std::chars_format format, int nPrecision)
{
    if (std::isnan(dValue))
        return "nan";
    char buf[400];
    const auto result = std::to_chars(buf, buf + sizeof buf, dValue, format, nPrecision);
    return std::string(buf, result.ptr);
}

std::string RemoveSpaces(std::string s)
{
    std::erase(s, ' ');
    return s;
}

}  // namespace

std::string FormatG16(double dValue) { return ToChars(dValue, std::chars_format::general, 16); }
std::string FormatG10(double dValue) { return ToChars(dValue, std::chars_format::general, 10); }

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

double ReadNumberText(const std::string &strText)
{
    std::size_t i = strText.find_first_not_of(" \t\n\r\f\v");
    if (i == std::string::npos)
        return 0.0;
    bool bNegative = false;
    if (strText[i] == '+' || strText[i] == '-')
        bNegative = strText[i++] == '-';
    if (i < strText.size() && (strText[i] == '+' || strText[i] == '-'))
        return 0.0;
    const char *first = strText.data() + i;
    const char *last = strText.data() + strText.size();
    double dValue = 0.0;
    const auto result = std::from_chars(first, last, dValue, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument)
        return 0.0;
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the exponent says which.
        const std::string_view text(first, result.ptr - first);
        const std::size_t e = text.find_first_of("eE");
        long long nExponent = 0;
        if (e != std::string_view::npos)
            std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), nExponent);
        double dMantissa = 0.0;
        std::from_chars(text.data(), text.data() + std::min(e, text.size()), dMantissa, std::chars_format::fixed);
        const bool bLarge = std::isinf(dMantissa) || (nExponent > 0 && dMantissa != 0);
        dValue = bLarge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return bNegative ? -dValue : dValue;
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
        return std::string(bNegative ? "-" : "") + ToChars(d, std::chars_format::fixed, 0) + kDegreeSign + " " +
               ToChars(m, std::chars_format::fixed, 0) + "' " + ToChars(s, std::chars_format::fixed, 2) + "\"  ";
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
