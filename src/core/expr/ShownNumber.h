#pragma once

#include <cmath>
#include <string>

// Every number the program shows is written here, one function per kind of
// shown number, independently of the user's locale (printf would follow it
// and write a decimal comma in some). The rule they share: at most 15
// significant digits, never a digit a double does not hold. Only the fixed
// printf layouts below may be asked for more, by a caller that pins a layout.

// printf("%.<decimals>f"), printf("%.<decimals>e") and printf("%.<digits>g");
// "nan", "inf", "-inf" for the others ("-nan" from the first two for a NaN
// with its sign set, as printf writes it).
std::string FormatFixed(double value, int decimals);
std::string FormatExp(double value, int decimals);
std::string FormatSignificant(double value, int digits);

// A computed value to a number of decimals (trace and tangent bars,
// integrals, grid labels): fixed, but never more than 15 significant digits,
// so a long whole part leaves fewer decimals (123456789.123 to 15 decimals is
// "123456789.123000") and one that reaches 10^15 takes the exponent form with
// 15 significant digits ("1.00000000000000e+300"). No minus on a value that
// shows as zero (-0.0, or -0.00001 to four decimals).
std::string ShownValue(double value, int decimals);

// The x of a root, extremum or inflection point in exponent form, exact to
// `decimals` places after the point of the plain number (1.2345 to 2 places
// is "1.23e+00", 0.001234 to 5 is "1.23e-03"); a value below half a unit of
// the last place is an exact zero. At most 15 significant digits.
std::string ShownRoot(double value, int decimals);

// The points table's words for a value that is no number: "NOT DEFINE" for
// NaN, "INFINTY" or "Minus INFINTY" for an infinity or a value beyond
// `bound` in magnitude (a pole's huge finite value); empty for the others.
std::string UndefinedWord(double value, double bound = HUGE_VAL);

// A cell of the points table: "%.5e", or UndefinedWord.
std::string ShownTableCell(double value, double bound = HUGE_VAL);

// A cell of a matrix result: four decimals, or four in exponent form
// ("1.0000e-05") for a value that they would show with fewer than four
// significant digits or with more than 15 digits before the point; never a
// negative zero. With fewer than 15 digits that hold, no more significant
// digits than those are shown ("-3969000.0" for 8).
std::string ShownMatrixCell(double value, int digits = 15);

// A number put into a text field, or a calculator result: 15 significant
// digits, printf's "%.15g" layout ("0.1", "1e-20", "3.23108914886517e-15").
std::string ShownField(double value);

// The shortest text that reads back to exactly this double ("0.1", "1e-07",
// "12345.678"), for texts other programs or the user read back in.
std::string ShownExact(double value);

// A solution of a linear system: ten significant digits, no trailing zeros,
// always a decimal point: 1 -> "1.", -0.5 -> "-0.5", 1e20 -> "1.e+20".
std::string ShownSolution(double value);

// A condition number as the warnings give it: two digits, "1.6e13".
std::string ShownCondition(double condition);
