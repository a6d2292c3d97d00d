// Matrices as the command line reads them from a file or standard input.
#pragma once

#include "core/linalg/Matrix.h"

#include <string>
#include <vector>

// What a matrix read from a file may be: the sizes the window takes.
struct SShape
{
    int maxRows;
    int maxCols;
    std::string rule;  // says what the tool takes, for the refusal
};

// "standard input" for "-", else the path.
std::string SourceName(const std::string &path);
// "1 number", "3 numbers".
std::string Numbers(int n);

// The numbers of one line, separated by blanks or by commas; CInputError
// naming where for anything else.
std::vector<double> ReadRow(const std::string &line, const std::string &where);

// A matrix: one row a line; blank lines are skipped. Any line break ends a
// line (\n, \r\n or \r), so files from any system read the same. text came
// from source, as the messages name it. CInputError when it is no matrix of shape.
CMatrix ReadMatrixText(const std::string &text, const std::string &source, const SShape &shape);
// The same from a file, or standard input for "-".
CMatrix ReadMatrix(const std::string &path, const SShape &shape);
