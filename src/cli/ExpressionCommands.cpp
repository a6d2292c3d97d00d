#include "cli/Batch.h"
#include "cli/Cli.h"
#include "cli/ParamOption.h"

#include "core/analysis/PointFinder.h"
#include "core/analysis/TraceText.h"
#include "core/deriv/Derivative.h"
#include "core/expr/Expression.h"
#include "core/expr/FunctionText.h"
#include "core/expr/SyntaxPlace.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace {

using nlohmann::json;

struct SEval
{
    SOutput output;
    std::string expression;
    std::vector<std::string> at;
    bool degrees = false;
    bool scientific = false;
    SParamOption params;

    void Run()
    {
        std::vector<double> xs;
        // Read as the function reads x.
        for (const std::string &text : at)
            xs.push_back(ReadValue(text, "--at", degrees ? EAngleUnit::Degrees : EAngleUnit::Radians));
        RunBatch(output, expression, false, [&](const std::string &text) {
            const std::string function = CheckedFunction(text);
            CExpression f;
            f.SetParameters(params.Values());
            f.SetExpression(function);
            if (xs.empty() && !f.XPositions().empty())
                throw CInputError(text + ": the function depends on x; give a value with --at X");
            SItem item{{}, {{"expression", function}, {"values", json::array()}}};
            for (double x : xs.empty() ? std::vector<double>{0.0} : xs) {
                f.m_bDegree = degrees;
                const double y = f.Evaluate(x);
                item.lines.push_back(TraceResultText(y, scientific));
                item.value["values"].push_back({{"x", x}, {"y", y}, {"text", item.lines.back()}});
            }
            return item;
        });
    }
};

struct SCheck
{
    SOutput output;
    std::string expression;

    void Run()
    {
        RunBatch(output, expression, false, [](const std::string &text) {
            const SSyntaxPlace place = IsBlankText(text) ? SSyntaxPlace{} : LocateSyntaxError(LowerAscii(text));
            const std::string message = SyntaxMessage(place);
            SItem item{{}, {{"expression", text}, {"valid", place.code == 0}, {"code", place.code}, {"message", message}}};
            if (place.code == 0)
                item.lines.push_back("OK");
            else
                item.refusal = message;
            return item;
        });
    }
};

struct SDerive
{
    SOutput output;
    std::string expression;
    int order = 1;

    void Run()
    {
        RunBatch(output, expression, false, [&](const std::string &text) {
            const std::string function = CheckedFunction(text);
            const std::optional<std::string> found = DerivativeText(function, order);
            if (!found)
                throw CInputError(kDerivativeTooLongText);
            const std::string &derivative = *found;
            return SItem{{derivative}, {{"expression", function}, {"order", order}, {"derivative", derivative}}};
        });
    }
};

const char *const kExprHelp = "A function of x as typed in the window, or - for one a line from standard input";

}  // namespace

void AddExpressionCommands(CLI::App &app)
{
    auto eval = std::make_shared<SEval>();
    CLI::App *cmd = app.add_subcommand("eval", "Values of a function, as the trace bar shows them");
    cmd->add_option("EXPR", eval->expression, kExprHelp)->required();
    cmd->add_option("--at", eval->at, "Values of x (one or more; numbers or constant expressions, their angles in radians, or in "
                                 "degrees with --degrees)")
        ->type_name("X")
        ->allow_extra_args();
    cmd->add_flag("--degrees", eval->degrees, "Trigonometric arguments in degrees");
    cmd->add_flag("--scientific", eval->scientific, "Values in scientific notation");
    eval->params.AddOption(*cmd, false);
    eval->output.AddFlag(*cmd);
    cmd->callback([eval] { eval->Run(); });

    auto check = std::make_shared<SCheck>();
    cmd = app.add_subcommand("check", "Checks the syntax of a function; exit status 1 and the window's message when "
                                      "it is refused");
    cmd->add_option("EXPR", check->expression, kExprHelp)->required();
    check->output.AddFlag(*cmd);
    cmd->callback([check] { check->Run(); });

    auto derive = std::make_shared<SDerive>();
    cmd = app.add_subcommand("derive", "The derivative, as the window's f'(x) field shows it");
    cmd->add_option("EXPR", derive->expression, kExprHelp)->required();
    cmd->add_option("--order", derive->order, "Which derivative: 1 the first, 2 the second, ...")
        ->check(CLI::Range(1, 9))
        ->default_val(1);
    derive->output.AddFlag(*cmd);
    cmd->callback([derive] { derive->Run(); });
}
