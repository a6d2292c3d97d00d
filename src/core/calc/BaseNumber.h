#pragma once

#include <gmpxx.h>

#include <string>

// Converts numbers between decimal and a base from 2 to 36, digits "0"-"9"
// and "A"-"Z" (or "a"-"z" when read). A leading "-" gives a negative number in both directions.
class CBaseNumber
{
public:
    // Reads m_strInput in nBase, rounded once to the nearest double. A
    // character that is no digit gives NaN.
    double ToDecimal(int nBase) const;
    // Writes dValue into m_strOutput in nBase with the digits a double
    // holds: all of them in a base that is a power of two (they are exact),
    // else SignificantDigits(nBase), rounded. A value too small for them is
    // written as digits times a power of the base, "1.1*10^-101" (all in the
    // base), which the calculator reads back. Refused (false, no digits) for
    // a base outside 2..36; infinities and NaN are written as printf writes
    // them and also give false, since they have no digits.
    bool FromDecimal(double dValue, int nBase);

    static bool IsValidBase(int nBase) { return nBase >= 2 && nBase <= 36; }
    // The digits in nBase that 53 bits hold: 15 in decimal, 33 in base 3.
    static int SignificantDigits(int nBase);

    std::string m_strInput;
    std::string m_strOutput;
};

// num / den (den > 0) rounded once to the nearest double, ties to even;
// infinity above the largest double.
double RoundToDouble(const mpz_class &num, const mpz_class &den);
