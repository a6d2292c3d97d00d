#pragma once

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

// One solution of the simultaneous equations, numbered from 1: "Var.1. = 2.".
std::string SolutionText(int number, double value);

// The determinant field: 15 significant digits.
std::string DeterminantText(double value);

// A cell of a matrix result: four decimals.
std::string ResultCellText(double value);

// The system has no single solution.
SToolMessage SingularSystemMessage();

// Inverse refused: the matrix is singular.
SToolMessage SingularMatrixMessage();

// Multiply refused: the first matrix's columns and the second's rows differ.
SToolMessage MultiplySizeMessage(int firstCols, int secondRows);
