#pragma once

#include "core/expr/Expression.h"
#include "core/expr/Operations.h"

#include <array>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// One operator character or function letter of a coded text, as the
// differentiation engine and the constant evaluator see it.
struct SOperatorToken
{
    char m_cChar = 0;
    bool m_bUnary = false;
    int m_nPrecedence = 0;  // 6 unary or '^', 4 '*' '/', 2 '+' '-'
    int m_nDepth = 0;       // brackets open in front of the character
    int m_nPosition = 0;    // index in the text after the brackets are removed
};


inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsCodeLetter(char c) { return IsFunctionCode(c); }
inline bool IsLowerLetter(char c) { return c >= 'a' && c <= 'z'; }

// Replaces every occurrence of `from` by `to`.
void ReplaceAll(std::string &text, const std::string &from, const std::string &to);

// Removes blanks, turns '~' into '-' and every function name into its letter.
void EncodeNames(std::string &text);

// Turns every code letter back into its function name; a parameter that is a
// function's whole argument gets brackets ("sin(a)").
void DecodeNames(std::string &text);

// Tokenises a coded text (depth from its brackets), removes the brackets from
// it and records each token's position in the bracket-free text.
// When positionMap is given it receives, for every non-bracket character, its
// index in the text as it was before the brackets went.
std::vector<SOperatorToken> TokeniseAndStrip(std::string &text, std::vector<int> *positionMap);

// The main operator of tokens first..last: the shallowest, loosest-binding one;
// the last of equal '+'/'-' or '*'/'/', the first of equal precedence-6 ones.
std::size_t ChooseMainOperator(const std::vector<SOperatorToken> &tokens, std::size_t first,
                               std::size_t last);
