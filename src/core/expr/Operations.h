#pragma once

#include <array>
#include <cstddef>
#include <span>

// The one-argument functions of the expression syntax, each once: its typed
// name, the letter that stands for it in coded text, its value and the loop
// the bulk evaluator runs over a row. The coder, the syntax check, both
// evaluators, the constant folding and the derivative engine read this table.
//
// Adding a function: give it a row in kOperations (Operations.cpp) with a
// free code character, placed before any shorter name it contains, write its
// value function next to the others and its set form in Interval.cpp, and give it a derivative rule in
// core/deriv/Derivative.cpp. Nothing else switches on the letters.
struct SInterval;

struct SOperation
{
    const char *name;
    char code;
    bool angular;  // the argument is an angle: multiplied by the degree factor
    double (*value)(double v, double angleFactor);
    void (*sweep)(double *row, std::size_t n, double angleFactor);  // value over a row
    SInterval (*interval)(const SInterval &v, double angleFactor);   // values over a set (Interval.h)
};

std::span<const SOperation> Operations();

// The row of a function letter, or nullptr for any other character.
const SOperation *FindOperation(char code);

namespace operation_detail {
extern const std::array<signed char, 256> kRowOfCode;  // -1 where no function
}

inline bool IsFunctionCode(char c) { return operation_detail::kRowOfCode[static_cast<unsigned char>(c)] >= 0; }

// sin(a) and cos(a) from one call, bit for bit the two functions' values.
void SineAndCosine(double a, double &sine, double &cosine);

// Value of a binary operator ('+', '-', '*', '/', '^') at l, r; 0 for any
// other code. Small whole powers are exact (see IntegerPower.h).
double ApplyBinaryCode(char code, double l, double r);
