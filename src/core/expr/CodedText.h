#pragma once

#include "core/expr/Operations.h"

#include <cstddef>
#include <string>
#include <vector>

// Character classes of the coded text, shared by the coder, the syntax check
// and the postfix builder. A function is a letter of the operation table.

inline bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

// The letters a function may use as parameters: lower case, not e (Euler's
// number) or x (the variable), and none that reads as something else (f g
// name functions, i j imaginary units, l o look like 1 and 0, y z are
// variables). Letters that function names leave over are parameters, and in
// coded text each stays its own letter.
inline constexpr const char *kParameterLetters = "abcdhkmnpqrstuvw";
inline bool IsParameterLetter(char c)
{
    switch (c) {
    case 'a': case 'b': case 'c': case 'd': case 'h': case 'k': case 'm': case 'n':
    case 'p': case 'q': case 'r': case 's': case 't': case 'u': case 'v': case 'w':
        return true;
    default:
        return false;
    }
}
// x or a parameter: one letter that is an operand of its own.
inline bool IsVariableChar(char c) { return c == 'x' || IsParameterLetter(c); }
inline bool IsOperandChar(char c) { return IsDigitChar(c) || c == '.' || IsVariableChar(c); }
inline bool IsBinaryCode(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '^'; }
inline bool IsUnaryCode(char c) { return c == '~' || IsFunctionCode(c); }

// How pi and e are spelled in coded text. Their value is the double nearest
// to each (see ReadOperand), not these ten digits.
inline constexpr const char *kPiText = "3.141592654";
inline constexpr const char *kEText = "2.718281828";

// For each character of a coded text, its index in the typed text.
using Places = std::vector<std::size_t>;

// CodeExpression that also fills `where` (when given) with the typed place of
// every coded character.
std::string CodeExpression(const std::string &text, Places *where);

// CheckSyntax that also gives, for a refusal, the index in `codedText` of the
// first character at fault (for a bracket mismatch: the first ')' closing
// nothing, else the first '(' left open).
int CheckSyntaxAt(const std::string &codedText, std::size_t *at);
