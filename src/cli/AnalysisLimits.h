// What the commands that search or sum refuse before they start.
#pragma once

#include "core/analysis/Integration.h"

#include <map>
#include <string>

namespace CLI {
class App;
class Option;
}
struct SAnalysisRequest;

// The windows search and sum behind a Cancel button; here nobody can press
// it, so work that would take more than about half a minute is refused up
// front. A value costs a little more for every character of the text.
inline constexpr double kMaxWork = 5e10;
double Work(double values, const std::string &text);

// The --rule names, as typed (case aside) and as the JSON shows them.
const std::map<std::string, EIntegrationRule> &IntegrationRules();
std::string RuleName(EIntegrationRule rule);
// Adds --rule, read into rule.
CLI::Option *AddRuleOption(CLI::App &cmd, EIntegrationRule &rule, const std::string &help);

// CInputError when request's search would take too long, worded as
// "<what> would take too long here.", or when a derivative it needs is too
// long to be worked out.
void CheckSearchWork(const SAnalysisRequest &request, const std::string &what);

// CLI::ValidationError of --step when the width is out of range.
void CheckIntegrationStep(double step);
// CInputError when summing function from a to b would take too long.
void CheckIntegrationWork(const std::string &function, double a, double b, double step, EIntegrationRule rule);
