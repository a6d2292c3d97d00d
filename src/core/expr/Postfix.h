#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Coded text -> blank-separated postfix (with a leading blank), by operator
// precedence; '^' and the unary operators group from the right.
std::string PostfixOf(const std::string &codedText);

// The token list of a postfix text: numbers and x have code 0 (x slots are
// listed in xPositions), operators their character and a NaN value, and a
// parameter its letter and a NaN value (its value is not part of the text).
struct STokenList
{
    std::vector<double> values;
    std::vector<char> codes;
    std::vector<std::size_t> xPositions;
};
void TokenisePostfix(const std::string &postfix, STokenList &tokens);

// Reads the number at first (longest valid prefix) into value and gives the
// characters read. The coded spellings of pi and e read as the doubles
// nearest to pi and e, not as their ten digits.
std::size_t ReadOperand(const char *first, const char *last, double &value);
