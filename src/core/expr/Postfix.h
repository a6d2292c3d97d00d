#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Coded text -> blank-separated postfix (with a leading blank), by operator
// precedence; '^' and the unary operators group from the right.
std::string PostfixOf(const std::string &codedText);

// The token list of a postfix text: numbers and x have code 0 (x slots are
// listed in xPositions), operators their character and a NaN value.
struct STokenList
{
    std::vector<double> values;
    std::vector<char> codes;
    std::vector<std::size_t> xPositions;
};
void TokenisePostfix(const std::string &postfix, STokenList &tokens);
