#pragma once

#include "core/calc/CalcResult.h"
#include "core/expr/Program.h"

#include <string>

// The calculator's substitution: a plotted function's value at x as the
// graph computes it (its own syntax, angles in radians). Refused with the
// a reason when the text is not a function the graph can read. The
// parameter letters take the given values, as in the graph.
SCalcResult FunctionValue(const std::string &strFunction, double x, const SParameterValues &parameters = {});
