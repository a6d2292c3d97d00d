#include "cli/AnalysisLimits.h"
#include "cli/Batch.h"
#include "cli/Cli.h"
#include "cli/ParamOption.h"

#include "core/analysis/AnalysisRun.h"
#include "core/analysis/AnalysisWording.h"
#include "core/analysis/Integration.h"
#include "core/analysis/PointFinder.h"
#include "core/analysis/PointsTable.h"
#include "core/analysis/Tangent.h"
#include "core/analysis/TraceText.h"
#include "core/expr/Expression.h"
#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace {

using nlohmann::json;

const char *const kExprHelp = "A function of x as typed in the window, or - for one a line from standard input";
const char *const kListExprHelp = "A function of x as typed in the window, or - for one a line from standard input "
                                  "(their results separated by a blank line)";

struct SSearch
{
    EAnalysisKind kind = EAnalysisKind::Roots;
    CLI::App *command = nullptr;
    SOutput output;
    std::string expression;
    std::string expression2;  // intersections: the other function
    double from = kDefaultAnalysisFrom;
    double to = kDefaultAnalysisTo;
    double near = 0.0;
    int places = kDefaultPlaces;
    SParamOption params;

    void Run()
    {
        if (places < kMinPlaces || places > kMaxPlaces)
            throw CLI::ValidationError("--places", PlacesRangeText());
        SAnalysisRequest request;
        request.kind = kind;
        request.near = command->get_option("--near")->count() > 0;
        request.from = request.near ? near : from;
        request.to = to;
        request.places = places;
        request.parameters = params.Values();
        if (kind == EAnalysisKind::Intersections)
            request.function2 = CheckedFunction(expression2);

        // The checks do not depend on the function: once for a batch.
        const EAnalysisCheck check = CheckAnalysis(request);
        if (check == EAnalysisCheck::DomainOrder || check == EAnalysisCheck::TooFar)
            throw CInputError(CheckText(request, check));
        if (check == EAnalysisCheck::LargeDomain)
            Warn(CheckText(request, check));

        RunBatch(output, expression, true, [&](const std::string &text) {
            request.function = CheckedFunction(text);
            if (const char *refusal = IntersectionRefusalText(IntersectionRefusal(request)))
                throw CInputError(refusal);
            CheckSearchWork(request, "The search");
            const SAnalysisResult result = *RunAnalysis(request);
            if (result.WarnsTooMany(request.near))
                Warn(AnalysisTexts(kind).tooMany);
            return SItem{result.lines, Value(request, result)};
        });
    }

    json Value(const SAnalysisRequest &request, const SAnalysisResult &result) const
    {
        json points = json::array();
        for (const SAnalysisPoint &p : result.points) {
            if (kind == EAnalysisKind::Roots)
                points.push_back(p.x);
            else if (kind == EAnalysisKind::Extrema)
                points.push_back({{"x", p.x}, {"y", p.y}, {"type", p.maximum ? "maximum" : "minimum"}});
            else
                points.push_back({{"x", p.x}, {"y", p.y}});
        }
        json value = {{"expression", request.function}, {"places", request.places}};
        if (kind == EAnalysisKind::Intersections)
            value["expression2"] = request.function2;
        if (request.near)
            value["near"] = request.from;
        else
            value["from"] = request.from, value["to"] = request.to;
        value[kind == EAnalysisKind::Roots ? "roots" : "points"] = points;
        value["truncated"] = result.truncated;
        value["lines"] = result.lines;
        return value;
    }
};

void AddSearch(CLI::App &app, EAnalysisKind kind, const char *name, const char *description)
{
    auto search = std::make_shared<SSearch>();
    search->kind = kind;
    CLI::App *cmd = app.add_subcommand(name, description);
    search->command = cmd;
    cmd->add_option("EXPR", search->expression, kListExprHelp)->required();
    if (kind == EAnalysisKind::Intersections)
        cmd->add_option("EXPR2", search->expression2, "The second function, compared with each EXPR")->required();
    AddNumberOption(*cmd, "--from", search->from, "Start of the domain searched");
    AddNumberOption(*cmd, "--to", search->to, "End of the domain searched");
    AddNumberOption(*cmd, "--near", search->near,
                    "Search near this point instead of a domain (within 1 of it, with a finer step)");
    cmd->get_option("--near")->excludes("--from")->excludes("--to")->default_str("");
    cmd->add_option("--places", search->places,
                    "The accuracy of an approximation, in decimal places (" + std::to_string(kMinPlaces) + " to " +
                        std::to_string(kMaxPlaces) + ")")
        ->type_name("N")
        ->default_val(kDefaultPlaces)
        ->check([](const std::string &text) {
            // As the pages read it: no hexadecimal or octal prefixes.
            return ReadWholeInteger(text) ? std::string() : "'" + text + "' is not an integer";
        });
    search->params.AddOption(*cmd, false);
    search->output.AddFlag(*cmd);
    cmd->callback([search] { search->Run(); });
}

struct SIntegrate
{
    SOutput output;
    std::string expression;
    double from = 0.0;
    double to = 0.0;
    EIntegrationRule rule = kDefaultIntegrationRule;
    double step = kDefaultIntegrationWidth;
    SParamOption params;

    void Run()
    {
        // In the order the dialog checks them.
        CheckIntegrationStep(step);
        if (to < from)
            throw CInputError(kLimitsOrderText);
        RunBatch(output, expression, false, [&](const std::string &text) {
            const std::string function = CheckedFunction(text);
            CheckIntegrationWork(function, from, to, step, rule);
            CExpression f;
            f.SetParameters(params.Values());
            f.SetExpression(function);
            const SIntegral integral = Integrate(f, from, to, step, rule);
            if (integral.pole || integral.unboundedEnd)
                throw CInputError(IntegralText(integral));
            const std::string shown = IntegralText(integral.value);
            // null where no estimate can be trusted.
            nlohmann::json estimate = nullptr;
            if (integral.errorEstimate && HasIntegralValue(integral))
                estimate = *integral.errorEstimate;
            return SItem{{shown},
                         {{"expression", function}, {"from", from}, {"to", to}, {"rule", RuleName(rule)},
                          {"step", step}, {"value", integral.value}, {"text", shown}, {"error_estimate", estimate},
                          {"notes", IntegralNotes(integral)}}};
        });
    }

};

struct STable
{
    SOutput output;
    std::string expression;
    STableSettings settings;
    bool csv = false;
    SParamOption params;

    void Run()
    {
        const std::vector<STableMessage> messages = CheckTableSettings(settings);
        if (!messages.empty()) {
            for (const STableMessage &m : messages)
                Warn(m.text);
            throw CInputError("");
        }
        RunBatch(output, expression, true, [&](const std::string &text) {
            const std::string function = CheckedFunction(text);
            if (Work(static_cast<double>(TableRowCount(settings)), function) > kMaxWork)
                throw CInputError("The table would take too long here.\nPlease choose a shorter function.");
            json rows = json::array();
            std::vector<std::string> item;
            const std::vector<STableRow> table = PointsTableRows(function, settings, params.Values());
            for (const STableRow &row : table) {
                item.push_back(TableLine(row.x, row.y));
                rows.push_back({{"x", row.x}, {"y", row.y}, {"text", item.back()}});
            }
            if (csv) {
                const std::string text = TableText(table, ',');
                item.clear();
                for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
                    item.push_back(text.substr(at, end - at));
            }
            return SItem{item, {{"expression", function}, {"from", settings.from}, {"to", settings.to},
                                {"step", settings.increment}, {"rows", rows}}};
        });
    }
};

struct STangentCommand
{
    SOutput output;
    std::string expression;
    double x = 0.0;
    bool degrees = false;
    bool radians = false;
    SParamOption params;

    void Run()
    {
        RunBatch(output, expression, true, [&](const std::string &text) {
            const std::string function = CheckedFunction(text);
            CTangent tangent;
            tangent.SetFunction(function, !radians, params.Values());
            tangent.ComputeAt(x);
            const auto bar = TangentBarTexts(tangent);
            tangent.BuildEquation();
            std::vector<std::string> item(bar.begin(), bar.end());
            item.push_back(TangentEquationText(tangent));
            json value = {{"expression", function}, {"x", x},      {"y", tangent.m_dY},
                          {"defined", tangent.m_bValid}, {"lines", item}};
            if (tangent.m_bValid) {
                value["slope"] = tangent.m_dSlope;
                value["angle"] = tangent.m_dTheta;
                value["vertical"] = tangent.IsVertical();
                value["equation"] = tangent.m_strEquation;
            }
            return SItem{item, value};
        });
    }
};

}  // namespace

void AddAnalysisCommands(CLI::App &app)
{
    AddSearch(app, EAnalysisKind::Roots, "roots",
              "Roots of a function in a domain (-10 to 10 unless given) or near a point, as the \"Function Roots\" "
              "page lists them, \"None\" when there are none; the page's warnings go to standard error");
    AddSearch(app, EAnalysisKind::Extrema, "extrema",
              "Local minima and maxima, as the \"Function's Extremas\" page lists them (x, y, type and a rule, four "
              "lines each)");
    AddSearch(app, EAnalysisKind::Inflection, "inflection",
              "Inflection points, as the \"Points of Inflextion\" page lists them (x and y in two columns)");
    AddSearch(app, EAnalysisKind::Intersections, "intersections",
              "Where two functions are equal: the roots of EXPR - EXPR2, as the \"Intersections\" page lists them (x "
              "and y in two columns)");

    auto integrate = std::make_shared<SIntegrate>();
    CLI::App *cmd = app.add_subcommand("integrate", "The definite integral from A to B, as the integration "
                                                    "dialog's result shows it (six decimals, or \"Invalid Domain!\"); "
                                                    "over a pole it does not exist: exit status 1 and where the pole "
                                                    "is");
    cmd->add_option("EXPR", integrate->expression, kExprHelp)->required();
    AddNumberOption(*cmd, "A", integrate->from, "Lower limit (a number or a constant expression: integrate x -pi pi)", true);
    AddNumberOption(*cmd, "B", integrate->to, "Upper limit (not below A)", true);
    AddRuleOption(*cmd, integrate->rule, "Evaluation rule: midpoint, trapezoid or simpson");
    AddNumberOption(*cmd, "--step", integrate->step,
                    "Width of the sub-intervals (the dialog's \"Divisions Value\", " +
                        ShownExact(kMinIntegrationWidth) + " to " + ShownExact(kMaxIntegrationWidth) + ")");
    integrate->params.AddOption(*cmd, false);
    integrate->output.AddFlag(*cmd);
    cmd->callback([integrate] { integrate->Run(); });

    auto table = std::make_shared<STable>();
    cmd = app.add_subcommand("table", "A table of x and f(x), as the points table lists it");
    cmd->add_option("EXPR", table->expression, kListExprHelp)->required();
    AddNumberOption(*cmd, "--from", table->settings.from, "Start of the domain");
    AddNumberOption(*cmd, "--to", table->settings.to, "End of the domain");
    AddNumberOption(*cmd, "--step", table->settings.increment,
                    "Increment of x (at most " + std::to_string(kMaxTableSteps) + " steps)");
    table->params.AddOption(*cmd, false);
    table->output.AddFlag(*cmd);
    cmd->add_flag("--csv", table->csv,
                  "Comma-separated values instead: the line \"x,f(x)\", then each x and f(x) as the shortest text "
                  "that reads back to the same number (empty where f is undefined or infinite)")
        ->excludes("--json");
    cmd->callback([table] { table->Run(); });

    auto tangent = std::make_shared<STangentCommand>();
    cmd = app.add_subcommand("tangent", "The tangent at X, as the tangent bar shows it: x, f(x), angle, slope "
                                        "and the equation");
    cmd->add_option("EXPR", tangent->expression, kListExprHelp)->required();
    AddNumberOption(*cmd, "X", tangent->x, "The point of contact (a number or a constant expression: tangent x^2 -pi)", true);
    CLI::Option *degrees =
        cmd->add_flag("--degrees", tangent->degrees, "The angle of the tangent in degrees (the default, as the bar)");
    cmd->add_flag("--radians", tangent->radians, "The angle of the tangent in radians")->excludes(degrees);
    tangent->params.AddOption(*cmd, false);
    tangent->output.AddFlag(*cmd);
    cmd->callback([tangent] { tangent->Run(); });
}
