#pragma once

#include <gmpxx.h>

#include <optional>
#include <string>
#include <vector>

// Exact arithmetic for the linear-algebra tools: what the typed numbers stand
// for as rationals, and elimination without rounding.

// Up to this size a system, determinant or inverse is worked out exactly.
inline constexpr int kExactLimit = 60;

// The decimal a double was typed as, when it is short (at most 12
// significant digits, exponent within 40 places): 0.1 is 1/10, not the
// nearest double. Nothing for a longer decimal or a value that is not finite.
std::optional<mpq_class> ShortDecimal(double value);
// Every element short, else nothing.
std::optional<std::vector<mpq_class>> ShortDecimals(const std::vector<double> &values);
// The exact values of the doubles themselves (every finite double is a
// fraction with a power of two below); nothing when one is not finite.
std::optional<std::vector<mpq_class>> ExactDoubles(const std::vector<double> &values);

// The outcome of eliminating rows x cols rationals exactly, pivoting in the
// first pivotCols columns only.
struct SExactElimination
{
    int rank = 0;             // of the first pivotCols columns
    bool consistent = true;   // no row zero in the pivot columns but not beyond
    std::vector<mpq_class> reduced;  // rows x cols; for full rank the pivot block is the identity
};

// Gauss-Jordan elimination free of fractions (every intermediate value is a
// minor of the row-scaled matrix, so each division is exact); nothing when
// the numbers would grow past a budget of bits.
std::optional<SExactElimination> ExactEliminate(const std::vector<mpq_class> &values, int rows, int cols,
                                                int pivotCols);

// The determinant of n x n rationals; nothing past the bit budget.
std::optional<mpq_class> ExactDeterminant(const std::vector<mpq_class> &values, int n);

// "7/3", "-2", "0": a rational in lowest terms.
std::string RationalText(const mpq_class &value);

// The double nearest to the rational (GMP's own conversion truncates).
double NearestDouble(const mpq_class &value);
