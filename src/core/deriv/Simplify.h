#pragma once

#include <string>

// Rewrites a raw derivative text in place by text rules: folds constant
// bracket groups, drops terms with a zero factor, factors and exponents 1 and
// redundant brackets, and writes e and pi by name. The result is coded:
// function names become their letters.
void Simplify(std::string &text);
