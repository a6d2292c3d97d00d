#pragma once

#include "core/expr/Operations.h"

// Character classes of the coded text, shared by the coder, the syntax check
// and the postfix builder. A function is a letter of the operation table.

inline bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }
inline bool IsOperandChar(char c) { return IsDigitChar(c) || c == '.' || c == 'x'; }
inline bool IsBinaryCode(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '^'; }
inline bool IsUnaryCode(char c) { return c == '~' || IsFunctionCode(c); }
