#pragma once

#include <string>

// Converts numbers between decimal and a base from 2 to 36, digits "0"-"9"
// and "A"-"Z" (or "a"-"z" when read). A leading "-" gives a negative number in both directions.
class CBaseNumber
{
public:
    // Reads m_strInput in nBase. A character that is no digit gives NaN.
    double ToDecimal(int nBase) const;
    // Writes dValue into m_strOutput in nBase. Refused (false, no digits)
    // for a base outside 2..36; infinities and NaN are written as printf
    // writes them and also give false, since they have no digits.
    bool FromDecimal(double dValue, int nBase);

    static bool IsValidBase(int nBase) { return nBase >= 2 && nBase <= 36; }

    std::string m_strInput;
    std::string m_strOutput;
};
