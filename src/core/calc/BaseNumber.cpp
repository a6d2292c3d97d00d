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
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    return -1;
}

bool IsPowerOfTwo(int n) { return (n & (n - 1)) == 0; }

// The digits of a non-negative integer in nBase, upper case.
std::string Digits(const mpz_class &z, int nBase)
{
    std::string s = z.get_str(nBase);
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return s;
}

// round(num / 2^nShift), ties to even.
mpz_class RoundShift(const mpz_class &num, unsigned long nShift)
{
    if (nShift == 0)
        return num;
    mpz_class q, r;
    mpz_fdiv_q_2exp(q.get_mpz_t(), num.get_mpz_t(), nShift);
    mpz_fdiv_r_2exp(r.get_mpz_t(), num.get_mpz_t(), nShift);
    mpz_class half;
    mpz_setbit(half.get_mpz_t(), nShift - 1);
    const int c = cmp(r, half);
    if (c > 0 || (c == 0 && mpz_odd_p(q.get_mpz_t())))
        ++q;
    return q;
}

mpz_class Power(int nBase, unsigned long k)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), static_cast<unsigned long>(nBase), k);
    return p;
}

}  // namespace

double RoundToDouble(const mpz_class &num, const mpz_class &den)
{
    if (sgn(num) == 0)
        return 0.0;
    if (sgn(num) < 0)
        return -RoundToDouble(-num, den);
    // A quotient of 55 bits or more, with a sticky bit for the remainder.
    const long s = 56 - (static_cast<long>(mpz_sizeinbase(num.get_mpz_t(), 2)) - static_cast<long>(mpz_sizeinbase(den.get_mpz_t(), 2)));
    mpz_class n = num, d = den;
    if (s >= 0)
        n <<= static_cast<mp_bitcnt_t>(s);
    else
        d <<= static_cast<mp_bitcnt_t>(-s);
    mpz_class q, r;
    mpz_tdiv_qr(q.get_mpz_t(), r.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
    q <<= 1;
    if (sgn(r) != 0)
        q += 1;  // sticky: never a tie when something is left
    // q 2^-(s+1) is the value; the last bit kept is 2^(bits - 53) of it, or
    // 2^-1074 for a subnormal result.
    const long nBits = static_cast<long>(mpz_sizeinbase(q.get_mpz_t(), 2));
    const long nLast = std::max(nBits - 53 - (s + 1), -1074L);
    const long nDrop = nLast + s + 1;
    const mpz_class kept = RoundShift(q, static_cast<unsigned long>(std::max(nDrop, 0L)));
    if (nLast > 971)
        return std::numeric_limits<double>::infinity();
    return std::ldexp(kept.get_d(), static_cast<int>(nLast));
}

int CBaseNumber::SignificantDigits(int nBase) { return static_cast<int>(std::floor(53.0 / std::log2(nBase) + 1e-9)); }

double CBaseNumber::ToDecimal(int nBase) const
{
    if (!IsValidBase(nBase))
        return std::numeric_limits<double>::quiet_NaN();
    std::string_view digits = m_strInput;
    const bool bNegative = !digits.empty() && digits.front() == '-';
    if (bNegative)
        digits.remove_prefix(1);
    mpz_class num = 0;
    unsigned long nFraction = 0;
    bool bPoint = false;
    for (const char c : digits) {
        if (c == '.' && !bPoint) {
            bPoint = true;
            continue;
        }
        const int d = DigitValue(c);
        if (d < 0 || d >= nBase)
            return std::numeric_limits<double>::quiet_NaN();
        num = num * nBase + d;
        nFraction += bPoint;
    }
    const double dValue = RoundToDouble(num, Power(nBase, nFraction));
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
    const std::string strSign = dValue < 0 ? "-" : "";
    int nExponent = 0;
    const double dMantissa = std::frexp(std::fabs(dValue), &nExponent);
    const mpz_class m(std::ldexp(dMantissa, 53));
    const long e = nExponent - 53;  // |value| = m 2^e exactly
    if (e >= 0 || sgn(m) == 0) {
        // A whole number: every digit is the double's own.
        m_strOutput = strSign + Digits(sgn(m) == 0 ? mpz_class(0) : mpz_class(m << static_cast<mp_bitcnt_t>(e)), nBase);
        return true;
    }
    const unsigned long nShift = static_cast<unsigned long>(-e);  // |value| = m / 2^nShift
    const mpz_class whole = m >> static_cast<mp_bitcnt_t>(nShift);
    const int nSignificant = SignificantDigits(nBase);
    long nWhole = sgn(whole) == 0 ? 0 : static_cast<long>(Digits(whole, nBase).size());
    // Zeros after the point before the first digit that is not zero.
    long nZeros = 0;
    if (nWhole == 0) {
        mpz_class scaled = m * nBase;
        const mpz_class one = mpz_class(1) << static_cast<mp_bitcnt_t>(nShift);
        while (scaled < one && nZeros <= nSignificant) {
            scaled *= nBase;
            ++nZeros;
        }
    }
    if (nZeros > nSignificant) {
        // Too small for its digits: d.ddd times the base to a negative power.
        long p = static_cast<long>(std::floor(std::log(std::fabs(dValue)) / std::log(nBase)));
        const mpz_class one = mpz_class(1) << static_cast<mp_bitcnt_t>(nShift);
        // Settle p exactly: b^p <= value < b^(p+1).
        while (m * Power(nBase, static_cast<unsigned long>(-p)) < one)
            --p;
        while (m * Power(nBase, static_cast<unsigned long>(-p - 1)) >= one)
            ++p;
        // In a base that is a power of two every bit is shown.
        const int nBits = static_cast<int>(std::log2(nBase) + 0.5);
        const int nDigits = IsPowerOfTwo(nBase) ? 1 + (52 + nBits - 1) / nBits : nSignificant;
        const unsigned long k = static_cast<unsigned long>(-p) + static_cast<unsigned long>(nDigits - 1);
        mpz_class x = RoundShift(m * Power(nBase, k), nShift);
        long nPower = p;
        if (x >= Power(nBase, static_cast<unsigned long>(nDigits))) {
            x = Power(nBase, static_cast<unsigned long>(nDigits - 1));
            ++nPower;
        }
        std::string s = Digits(x, nBase);
        std::string strFraction = s.substr(1);
        while (!strFraction.empty() && strFraction.back() == '0')
            strFraction.pop_back();
        m_strOutput = strSign + s.substr(0, 1) + (strFraction.empty() ? "" : "." + strFraction) + "*10^" +
                      (nPower < 0 ? "-" : "") + Digits(mpz_class(std::labs(nPower)), nBase);
        return true;
    }
    unsigned long k = 0;  // digits after the point
    if (IsPowerOfTwo(nBase)) {
        const unsigned long nBits = static_cast<unsigned long>(std::log2(nBase) + 0.5);
        k = (nShift + nBits - 1) / nBits;
    } else {
        k = static_cast<unsigned long>(std::max(0L, nSignificant - nWhole + nZeros));
    }
    const mpz_class x = RoundShift(m * Power(nBase, k), nShift);
    std::string s = Digits(x, nBase);
    if (s.size() <= k)
        s.insert(0, k + 1 - s.size(), '0');
    std::string strWhole = s.substr(0, s.size() - k), strFraction = s.substr(s.size() - k);
    while (!strFraction.empty() && strFraction.back() == '0')
        strFraction.pop_back();
    m_strOutput = strSign + strWhole + (strFraction.empty() ? "" : "." + strFraction);
    return true;
}
