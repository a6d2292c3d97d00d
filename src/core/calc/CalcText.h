#pragma once

#include "core/calc/CalcResult.h"

#include <cstddef>
#include <string>
#include <utility>

// The calculator window's texts: how results are shown, stored, copied and
// recalled, and its angle and coordinate conversions. Locale-independent.

bool IsIntegral(double dValue);

// The digits a result shows: 15 significant, all of them right.
inline constexpr int kShownDigits = 15;

// "=": an integral value gets "." and a space, any other two spaces.
std::string FormatResult(double dValue);
// x^2, x^3 and 1/x: "." and a space for an integral value, else one space.
std::string FormatPowerResult(double dValue);
// The same in the base the display shows (2..36).
std::string PowerText(double dValue, int nShownBase);
// A result shown in another base (2..36): two spaces after digits with a
// point, "." and a space otherwise. Empty for a base outside 2..36.
std::string FormatResultInBase(double dValue, int nBase);

// The "Base System" fields: the base a field's text holds, a whole number
// (blanks around it allowed); 0 for anything else or outside 2..36, which
// earns kBaseFieldText.
inline constexpr const char *kBaseFieldText = "Please enter an integer between 2 and 36.";

// Far longer than anyone types: a pasted text beyond it is refused before
// it is read, so the window never seems to hang on one.
inline constexpr std::size_t kMaxCalcTextLength = 10000;
inline constexpr const char *kCalcTooLongText =
    "The expression is too long for the calculator: at most 10000 characters.";
int BaseFieldValue(const std::string &strText);
// The base of the number tokens: -1 (plain decimal numbers, with exponents)
// when From holds 10, else the base From holds; To only says how the result
// is shown.
int TokenBase(const std::string &strFrom);
// The display after "=" for a result shown in a base: FormatResult in 10,
// FormatResultInBase in the others.
std::string EqualsText(double dValue, int nShownBase);

// The display text without its spaces and without the point the format
// appended to an integral value (a point inside the number stays).
std::string StoreText(const std::string &strDisplay, bool bIntegral);
// As StoreText, integral when the text reads as an integral number.
std::string CopyText(const std::string &strDisplay);
// A memory entry as expression text: its exponent becomes "*10^".
std::string RecallText(const std::string &strMemory);

// The display read as the number it shows in nShownBase ("1010.1" in base 2
// is 10.5, "1.1*10^-11" is 0.1875); NaN for a text that is no number.
double DisplayValue(const std::string &strDisplay, int nShownBase);
// "&M": the display as a memory entry. Digits in a base other than 10 keep
// their base: "1010.1 (base 2)".
std::string MemoryText(const std::string &strDisplay, bool bIntegral, int nShownBase);
// A memory entry as expression text for number tokens in nTokenBase (-1 for
// plain decimal): an entry marked with another base is converted, its value
// kept whole.
std::string RecallText(const std::string &strMemory, int nTokenBase);
// A value put into the expression (pi, a recalled or substituted value) is
// an operand of its own: after a number, a name or ")" it goes in brackets,
// so 2 and pi make 2(3.14...), a product, never the number 23.14...
std::string InsertValue(const std::string &strExpression, const std::string &strValue);
// The value as text for number tokens in nTokenBase, every bit kept.
std::string ValueText(double dValue, int nTokenBase);

// Why a text was refused, with the (1-based) character where reading stopped:
// "missing ')' at character 5"; a numerical reason alone: "Division by zero".
std::string RefusalText(const SCalcResult &result);

// Decimal degrees to D° M' S.SS" (UTF-8) and back; seconds that round to 60
// carry into the minutes and degrees, both followed by two
// spaces; a text without an apostrophe is decimal.
std::string ConvertDms(const std::string &strDisplay);
// As the D°M'S" key converts a display shown in nShownBase: the digits are
// read in that base; the answer is decimal.
std::string ConvertDms(const std::string &strDisplay, int nShownBase);

// (radius, angle in degrees) of (x, y), and (x, y) of (radius, degrees).
std::pair<double, double> RectToPolar(double x, double y);
std::pair<double, double> PolarToRect(double r, double dDegrees);
// The two result fields of "Rect => Angl" and "Angl => Rect" ("%.10g").
std::pair<std::string, std::string> RectToPolarTexts(double x, double y);
std::pair<std::string, std::string> PolarToRectTexts(double r, double dDegrees);
