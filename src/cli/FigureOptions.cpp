#include "cli/FigureOptions.h"

#include "cli/Cli.h"

#include "core/analysis/AnalysisRun.h"
#include "core/analysis/IntegralLabel.h"
#include "core/analysis/PointSearch.h"
#include "core/deriv/Derivative.h"
#include "core/expr/NumberText.h"
#include "gui/view/CorvantaView.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// As the analysis commands: work beyond about half a minute is refused,
// since nobody can press Cancel here.
constexpr double kMaxWork = 5e10;
double Work(double values, const std::string &text) { return values * (60.0 + static_cast<double>(text.size())); }

struct SMarkKind
{
    EAnalysisKind kind;
    EMarkSource source;
};

const std::map<std::string, SMarkKind> &MarkKinds()
{
    static const std::map<std::string, SMarkKind> kinds = {
        {"roots", {EAnalysisKind::Roots, EMarkSource::Roots}},
        {"extrema", {EAnalysisKind::Extrema, EMarkSource::Extrema}},
        {"inflection", {EAnalysisKind::Inflection, EMarkSource::Inflection}},
        {"intersections", {EAnalysisKind::Intersections, EMarkSource::Intersections}}};
    return kinds;
}

const std::map<std::string, EIntegrationRule> &Rules()
{
    static const std::map<std::string, EIntegrationRule> rules = {{"midpoint", EIntegrationRule::MidPoint},
                                                                  {"trapezoid", EIntegrationRule::Trapezoid},
                                                                  {"simpson", EIntegrationRule::Simpson}};
    return rules;
}

EMarkKind KindOf(EAnalysisKind kind, const SAnalysisPoint &p)
{
    switch (kind) {
    case EAnalysisKind::Roots: return EMarkKind::Root;
    case EAnalysisKind::Extrema: return p.maximum ? EMarkKind::Maximum : EMarkKind::Minimum;
    case EAnalysisKind::Inflection: return EMarkKind::Inflection;
    case EAnalysisKind::Intersections: return EMarkKind::Intersection;
    }
    return EMarkKind::Root;
}

// One search of the visible domain, its points as marks of slot (and other).
void Search(SAnalysisRequest request, int slot, int other, std::vector<SGraphMark> &marks)
{
    const EAnalysisCheck check = CheckAnalysis(request);
    if (check == EAnalysisCheck::DomainOrder || check == EAnalysisCheck::TooFar)
        throw CInputError(CheckText(request, check));
    const double steps = (request.to - request.from) / CRootFinder::DomainStep(request.from, request.to);
    double work = Work(steps, request.function + request.function2);
    if (request.kind == EAnalysisKind::Extrema || request.kind == EAnalysisKind::Inflection) {
        const std::optional<std::string> derivative =
            DerivativeText(request.function, request.kind == EAnalysisKind::Extrema ? 1 : 2);
        if (!derivative)
            throw CInputError(kDerivativeTooLongText);
        work = Work(steps, "1/(" + request.function + ")") + 2 * Work(steps, "1/(" + *derivative + ")");
    }
    if (work > kMaxWork)
        throw CInputError("The search for the marks would take too long here.\nPlease choose a smaller domain or a "
                          "shorter function.");
    const SAnalysisResult result = *RunAnalysis(request);
    if (result.WarnsTooMany(false))
        Warn(AnalysisTexts(request.kind).tooMany);
    for (const SAnalysisPoint &p : result.points)
        marks.push_back({slot, other, p.x, p.y, KindOf(request.kind, p), EMarkSource::Command, {}});
}

}  // namespace

void SFigureOptions::AddOptions(CLI::App &cmd)
{
    cmd.add_option("--mark", marks,
                   "Marks the points an analysis lists over the visible domain: roots, extrema, inflection or "
                   "intersections (of every pair of functions); repeat it for several")
        ->check(CLI::IsMember(MarkKinds()).description(""))
        ->allow_extra_args(false)
        ->type_name("KIND");
    CLI::Option *shadeOption =
        cmd.add_option_function<std::vector<std::string>>(
               "--shade",
               [this](const std::vector<std::string> &values) {
                   shade.clear();
                   for (const std::string &value : values)
                       shade.push_back(ReadValue(value, "--shade"));
               },
               "Shades the integral of the first function from A to B and labels it with its value")
            ->expected(2)
            ->allow_extra_args(false)
            ->type_name("NUMBER");
    cmd.add_option_function<std::string>(
           "--rule", [this](const std::string &name) { rule = Rules().at(name); },
           "Evaluation rule of --shade: midpoint, trapezoid or simpson")
        ->transform(CLI::IsMember(Rules(), CLI::ignore_case).description(""))
        ->type_name("RULE")
        ->default_str("trapezoid")
        ->needs(shadeOption);
    AddNumberOption(cmd, "--step", step,
                    "Width of the sub-intervals of --shade (" + FormatShortest(kMinIntegrationWidth) + " to " +
                        FormatShortest(kMaxIntegrationWidth) + ")");
    cmd.get_option("--step")->needs(shadeOption);
    cmd.add_flag("--legend", legend, "Draws the legend of the functions in the top-right corner");
}

void SFigureOptions::CheckUsage() const
{
    // In the order the integration dialog checks them.
    if (!(step >= kMinIntegrationWidth && step <= kMaxIntegrationWidth))
        throw CLI::ValidationError("--step", NumberRangeText(kMinIntegrationWidth, kMaxIntegrationWidth));
    if (shade.size() == 2 && shade[1] < shade[0])
        throw CInputError(kLimitsOrderText);
}

void SFigureOptions::Apply(CCorvantaView &view) const
{
    view.m_bShowLegend = legend;
    view.SetClientSize(view.width(), view.height());
    const SUnitArea area = view.VisibleArea();
    const int last = std::min<int>(view.m_nLast, CViewState::kSlots - 1);
    auto plotted = [&view](int i) { return !view.m_aFunctions[i].m_strCoded.empty(); };
    for (const std::string &name : marks) {
        const SMarkKind kind = MarkKinds().at(name);
        SAnalysisRequest request;
        request.kind = kind.kind;
        request.from = area.xMin;
        request.to = area.xMax;
        std::vector<SGraphMark> list;
        for (int i = 0; i <= last; ++i) {
            if (!plotted(i))
                continue;
            request.function = view.m_aFunctions[i].m_strText;
            if (kind.kind != EAnalysisKind::Intersections) {
                Search(request, i, -1, list);
                continue;
            }
            for (int j = i + 1; j <= last; ++j)
                if (plotted(j)) {
                    request.function2 = view.m_aFunctions[j].m_strText;
                    Search(request, i, j, list);
                }
        }
        view.m_results.SetMarks(kind.source, std::move(list));
    }

    if (shade.size() == 2) {
        const int slot = 0;
        if (slot > last || !plotted(slot))
            throw CInputError("There is no function to integrate.");
        const std::string &text = view.m_aFunctions[slot].m_strText;
        const double samples = static_cast<double>(IntegrationSteps(shade[0], shade[1], step)) *
                               (rule == EIntegrationRule::Simpson ? 2.0 : 1.0);
        if (Work(samples, text) > kMaxWork)
            throw CInputError("The integral would take too long to sum here.\nPlease choose closer limits, a wider "
                              "step or a shorter function.");
        const SIntegral integral = Integrate(view.m_aFunctions[slot], shade[0], shade[1], step, rule);
        if (integral.pole)
            throw CInputError(IntegralText(integral));
        if (std::isnan(integral.value))
            Warn(IntegralText(integral.value));  // nothing to shade where the function is undefined
        else
            view.m_results.shading = SShading{slot, shade[0], shade[1],
                                              IntegralLabel(shade[0], shade[1], integral.value, rule, step)};
    }
    view.Redraw();
}
