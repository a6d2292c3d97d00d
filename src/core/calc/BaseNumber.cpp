#include "core/calc/BaseNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    return -1;
}

// A non-negative integer as 32-bit limbs, least significant first: a double
// is m 2^e exactly, so its digits in any base come out exact.
using Limbs = std::vector<std::uint32_t>;

bool IsZero(const Limbs &a)
{
    return std::all_of(a.begin(), a.end(), [](std::uint32_t l) { return l == 0; });
}

// a = a / d, returning the remainder.
std::uint32_t DivideSmall(Limbs &a, std::uint32_t d)
{
    std::uint64_t r = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        const std::uint64_t t = (r << 32) | a[i];
        a[i] = static_cast<std::uint32_t>(t / d);
        r = t % d;
    }
    return static_cast<std::uint32_t>(r);
}

void MultiplySmall(Limbs &a, std::uint32_t m)
{
    std::uint64_t carry = 0;
    for (std::uint32_t &l : a) {
        const std::uint64_t t = static_cast<std::uint64_t>(l) * m + carry;
        l = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    if (carry)
        a.push_back(static_cast<std::uint32_t>(carry));
}

// m shifted left by n bits.
Limbs Shifted(std::uint64_t m, int n)
{
    Limbs a(static_cast<std::size_t>(n / 32) + 3, 0);
    const int nBit = n % 32;
    const std::uint64_t low = m << nBit;
    a[n / 32] = static_cast<std::uint32_t>(low);
    a[n / 32 + 1] = static_cast<std::uint32_t>(low >> 32);
    a[n / 32 + 2] = nBit == 0 ? 0 : static_cast<std::uint32_t>(m >> (64 - nBit));  // m has 53 bits
    return a;
}

// Takes the bits of a from bit n up (few after a multiplication by the
// base) and leaves the bits below n.
std::uint32_t TakeHigh(Limbs &a, int n)
{
    std::uint64_t high = 0;
    for (std::size_t i = a.size(); i-- > static_cast<std::size_t>(n / 32);) {
        if (a[i] == 0)
            continue;
        const int nShift = static_cast<int>(i * 32) - n;
        const std::uint64_t part = nShift >= 0 ? static_cast<std::uint64_t>(a[i]) << nShift : a[i] >> -nShift;
        high |= part;
        a[i] = nShift >= 0 ? 0 : a[i] & ((1u << -nShift) - 1);
    }
    return static_cast<std::uint32_t>(high);
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
    int nExponent = 0;
    const double dMantissa = std::frexp(std::fabs(dValue), &nExponent);
    const auto m = static_cast<std::uint64_t>(std::ldexp(dMantissa, 53));
    const int e = nExponent - 53;  // |value| = m 2^e exactly

    // The whole part, and the fraction as f / 2^k.
    Limbs whole, fraction;
    int k = 0;
    if (e >= 0) {
        whole = Shifted(m, e);
    } else {
        k = -e;
        whole = Shifted(k >= 64 ? 0 : m >> k, 0);
        fraction = Shifted(k >= 64 ? m : m & ((std::uint64_t{1} << k) - 1), 0);
    }
    std::string strDigits;
    do
        strDigits += DigitChar(static_cast<int>(DivideSmall(whole, static_cast<std::uint32_t>(nBase))));
    while (!IsZero(whole));
    if (bNegative)
        strDigits += '-';
    std::reverse(strDigits.begin(), strDigits.end());

    std::string strFraction;
    for (int n = 0; n < 50 && !IsZero(fraction); ++n) {
        MultiplySmall(fraction, static_cast<std::uint32_t>(nBase));
        strFraction += DigitChar(static_cast<int>(TakeHigh(fraction, k)));
    }
    m_strOutput = strFraction.empty() ? strDigits : strDigits + "." + strFraction;
    return true;
}
