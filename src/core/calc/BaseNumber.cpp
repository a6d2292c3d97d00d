#include "core/calc/BaseNumber.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return -1;
}

char DigitChar(int d) { return static_cast<char>(d < 10 ? '0' + d : 'A' + d - 10); }

}  // namespace

double CBaseNumber::ToDecimal(int nBase) const
{
    std::string_view digits = m_strInput;
    const bool bNegative = !digits.empty() && digits.front() == '-';
    if (bNegative)
        digits.remove_prefix(1);
    const std::size_t point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);

    double dValue = 0.0;
    for (std::size_t k = 0; k < whole.size(); ++k) {
        const int d = DigitValue(whole[whole.size() - 1 - k]);
        if (d < 0)
            return std::numeric_limits<double>::quiet_NaN();
        dValue += d * std::pow(nBase, static_cast<double>(k));
    }
    for (std::size_t k = 0; k < fraction.size(); ++k) {
        const int d = DigitValue(fraction[k]);
        if (d < 0)
            return std::numeric_limits<double>::quiet_NaN();
        dValue += d * std::pow(nBase, -static_cast<double>(k + 1));
    }
    return bNegative ? -dValue : dValue;
}

bool CBaseNumber::FromDecimal(double dValue, int nBase)
{
    m_strOutput.clear();
    if (!IsValidBase(nBase))
        return false;
    if (std::isnan(dValue)) {
        m_strOutput = "nan";
        return false;
    }
    if (std::isinf(dValue)) {
        m_strOutput = dValue < 0 ? "-inf" : "inf";
        return false;
    }
    const bool bNegative = dValue < 0;
    const double v = std::fabs(dValue);

    double dWhole = std::floor(v);
    float fFraction = static_cast<float>(v - dWhole);
    std::string strDigits;
    if (dWhole == 0)
        strDigits = "0";
    // At most 1024 digits: every step divides by at least 2.
    while (dWhole > 0) {
        strDigits += DigitChar(static_cast<int>(std::fmod(dWhole, nBase)));
        dWhole = std::floor(dWhole / nBase);
    }
    if (bNegative)
        strDigits += '-';
    std::reverse(strDigits.begin(), strDigits.end());

    std::string strFraction;
    for (int n = 0; n < 50 && fFraction != 0.0f; ++n) {
        const float g = static_cast<float>(nBase) * fFraction;
        const float d = std::floor(g);
        strFraction += DigitChar(static_cast<int>(d));
        fFraction = g - d;
    }
    m_strOutput = strFraction.empty() ? strDigits : strDigits + "." + strFraction;
    return true;
}
