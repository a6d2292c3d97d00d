#pragma once

#include "core/analysis/Integration.h"

#include <string>

// "mid-point rule", "trapezoid rule" or "Simpson's rule".
const char *IntegrationRuleText(EIntegrationRule rule);

// The label of a shaded integral on the graph: the limits as the shortest
// texts of their values, the value as the result box shows it, the rule and
// the step. "Integral from 0 to 2 = 2.000000 (trapezoid rule, step 0.01)"
std::string IntegralLabel(double from, double to, double value, EIntegrationRule rule, double step);

// The same with the value's error estimate beside it, and any note on a
// second line: "Integral from 0 to 1 = 0.333333 ± 2.1e-14 (Simpson's rule, step 0.01)".
std::string IntegralLabel(double from, double to, const SIntegral &integral, EIntegrationRule rule, double step);
