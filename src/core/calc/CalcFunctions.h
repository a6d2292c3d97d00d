#pragma once

#include <string_view>

// Every name the calculator knows: a function with its one-character code,
// a constant, or one of the two operators written as names.
struct SCalcName
{
    std::string_view name;
    enum Kind { Function, Constant, Operator } kind;
    char code;
    double value = 0.0;
};

// The longest name the text starts with, in any case; nullptr for none.
const SCalcName *LongestCalcName(std::string_view text);

// The name of a function's code ("sin" for 's'); empty for no function.
std::string_view CalcFunctionName(char code);
