#pragma once

#include "core/linalg/Determinant.h"
#include "core/linalg/LinearSystem.h"
#include "core/linalg/Matrix.h"

#include <optional>
#include <string>

// The texts the linear-algebra tools show, shared by their windows and the
// command line so both say exactly the same.

// The sizes each tool takes.
inline constexpr int kMinEquations = 2;     // simultaneous equations
inline constexpr int kMaxEquations = 200;
inline constexpr int kMinDeterminant = 1;   // rows and columns of a determinant
inline constexpr int kMaxDeterminant = 50;
inline constexpr int kMinMatrixSize = 1;    // rows, and columns, of a matrix operand
inline constexpr int kMaxMatrixSize = 50;

// A message box: its text and caption.
struct SToolMessage
{
    std::string text;
    std::string caption;
};

// One solution of the simultaneous equations, numbered from 1: "Var.1. = 2.",
// with at most `digits` significant digits (ten at most). An exact value that
// is not whole comes as its fraction first: "Var.2. = 7/3 (2.333333333)".
std::string SolutionText(int number, double value, int digits = 10, const std::string &exact = {});
// The solution of a solved system, variable `number` (from 1), as above.
std::string SolutionText(const CLinearSystem &system, int number);

// The determinant field: as many significant digits as hold, at most 15;
// "0" for no digit at all (singular within rounding) and for either zero.
std::string DeterminantText(double value, int digits = 15);

// The determinant as its window shows it: DeterminantText, or for an exact
// value that this does not show in full, the exact one with the double beside
// it: "-621150105350847156007505 (-6.21150105350847e+23)", "1/3 (0.333333333333333)".
std::string DeterminantFieldText(const CDeterminant &determinant);

// The warning for a determinant that is not exact and whose condition
// estimate reaches the warning level: the estimate and the digits that hold.
std::optional<SToolMessage> DeterminantWarning(const CDeterminant &determinant);

// The system has no single solution: no equation holds the first variable.
SToolMessage SingularSystemMessage();

// Why a system was not solved (nothing when it was), and the warning for a
// solution of an ill-conditioned one.
std::optional<SToolMessage> SystemRefusal(const CLinearSystem &system);
std::optional<SToolMessage> SystemWarning(const CLinearSystem &system);

// Why an inverse (bInverse) or another result was refused, and the warning
// for an ill-conditioned inverse.
std::optional<SToolMessage> MatrixRefusal(const CMatrix::SResult &result, bool bInverse);
std::optional<SToolMessage> MatrixWarning(const CMatrix::SResult &result);

// A grid cell that holds no number, numbered from 1 below and right of the headers.
SToolMessage CellMessage(int row, int col, const std::string &text);

// Inverse refused: the matrix is singular.
SToolMessage SingularMatrixMessage();

// Multiply refused: the first matrix's columns and the second's rows differ.
SToolMessage MultiplySizeMessage(int firstCols, int secondRows);
