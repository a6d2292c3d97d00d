#include "cli/AnalysisLimits.h"

#include "cli/Cli.h"

#include "core/analysis/AnalysisRun.h"
#include "core/analysis/PointFinder.h"
#include "core/analysis/RootFinder.h"
#include "core/deriv/Derivative.h"
#include "core/expr/NumberText.h"

#include <CLI/CLI.hpp>

#include <optional>

double Work(double values, const std::string &text) { return values * (60.0 + static_cast<double>(text.size())); }

const std::map<std::string, EIntegrationRule> &IntegrationRules()
{
    static const std::map<std::string, EIntegrationRule> rules = {{"midpoint", EIntegrationRule::MidPoint},
                                                                  {"trapezoid", EIntegrationRule::Trapezoid},
                                                                  {"simpson", EIntegrationRule::Simpson}};
    return rules;
}

std::string RuleName(EIntegrationRule rule)
{
    for (const auto &[name, value] : IntegrationRules())
        if (value == rule)
            return name;
    return {};
}

CLI::Option *AddRuleOption(CLI::App &cmd, EIntegrationRule &rule, const std::string &help)
{
    return cmd
        .add_option_function<std::string>(
            "--rule", [&rule](const std::string &name) { rule = IntegrationRules().at(name); }, help)
        ->transform(CLI::IsMember(IntegrationRules(), CLI::ignore_case).description(""))
        ->type_name("RULE")
        ->default_str(RuleName(kDefaultIntegrationRule));
}

// One scan of the domain per text searched: f, f - g, or 1/f, f' (f'') and its reciprocal.
void CheckSearchWork(const SAnalysisRequest &request, const std::string &what)
{
    const double steps = request.near
                             ? 2.0 / CRootFinder::kNearStep
                             : (request.to - request.from) / CRootFinder::DomainStep(request.from, request.to);
    double work = Work(steps, request.function);
    if (request.kind == EAnalysisKind::Intersections)
        work = Work(steps, "(" + request.function + ")-(" + request.function2 + ")");
    if (request.kind == EAnalysisKind::Extrema || request.kind == EAnalysisKind::Inflection) {
        const std::optional<std::string> derivative =
            DerivativeText(request.function, request.kind == EAnalysisKind::Extrema ? 1 : 2);
        if (!derivative)
            throw CInputError(kDerivativeTooLongText);
        work = Work(steps, "1/(" + request.function + ")") + 2 * Work(steps, "1/(" + *derivative + ")");
    }
    if (work > kMaxWork)
        throw CInputError(what + " would take too long here.\nPlease choose a smaller domain or a shorter function.");
}

void CheckIntegrationStep(double step)
{
    if (!(step >= kMinIntegrationWidth && step <= kMaxIntegrationWidth))
        throw CLI::ValidationError("--step", NumberRangeText(kMinIntegrationWidth, kMaxIntegrationWidth));
}

void CheckIntegrationWork(const std::string &function, double a, double b, double step, EIntegrationRule rule)
{
    // The finer sums of the error estimate count too.
    const double samples = IntegrationSamples(IntegrationSteps(a, b, step), rule);
    if (Work(samples, function) > kMaxWork)
        throw CInputError("The integral would take too long to sum here.\nPlease choose closer limits, a wider step "
                          "or a shorter function.");
}
