#include "cli/FigureOptions.h"

#include "cli/AnalysisLimits.h"
#include "cli/Cli.h"

#include "core/analysis/AnalysisRun.h"
#include "core/analysis/AnalysisWording.h"
#include "core/analysis/IntegralLabel.h"
#include "core/analysis/PointFinder.h"
#include "core/expr/ShownNumber.h"
#include "core/analysis/AnalysisMarks.h"
#include "graph/model/Graph.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

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

// One search of the visible domain, its points as marks of slot (and other).
void Search(SAnalysisRequest request, int slot, int other, std::vector<SGraphMark> &marks)
{
    const EAnalysisCheck check = CheckAnalysis(request);
    if (check == EAnalysisCheck::DomainOrder || check == EAnalysisCheck::TooFar)
        throw CInputError(CheckText(request, check));
    CheckSearchWork(request, "The search for the marks");
    const SAnalysisResult result = *RunAnalysis(request);
    if (result.WarnsTooMany(false))
        Warn(AnalysisTexts(request.kind).tooMany);
    for (SGraphMark &mark : MarksOf(request.kind, result.points, slot, other))
        marks.push_back(std::move(mark));
}

}  // namespace

void SFigureOptions::AddOptions(CLI::App &cmd)
{
    cmd.add_option("--mark", marks,
                   "Marks the points an analysis lists over the visible domain: roots, extrema, inflection or "
                   "intersections (of every pair of functions); repeat it for several")
        ->transform(CLI::IsMember(MarkKinds(), CLI::ignore_case).description(""))
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
               "Shades the integral of the first function from A to B and labels it with its value (" +
                   AngleUnitNote(EAngleUnit::Radians) + ")")
            ->expected(2)
            ->allow_extra_args(false)
            ->type_name("NUMBER");
    AddRuleOption(cmd, rule, "Evaluation rule of --shade: midpoint, trapezoid or simpson")->needs(shadeOption);
    AddNumberOption(cmd, "--step", step,
                    "Width of the sub-intervals of --shade (" + ShownExact(kMinIntegrationWidth) + " to " +
                        ShownExact(kMaxIntegrationWidth) + ")");
    cmd.get_option("--step")->needs(shadeOption);
    cmd.add_flag("--legend", legend, "Draws the legend of the functions in the top-right corner");
    cmd.add_option("--axes", axes,
                   "Axis labels: readable (round numbers, the default), classic (every 100 pixels) or pi "
                   "(x in multiples of \u03C0)")
        ->transform(CLI::IsMember({"readable", "classic", "pi"}, CLI::ignore_case).description(""))
        ->type_name("STYLE");
}

void SFigureOptions::CheckUsage() const
{
    // In the order the integration dialog checks them.
    CheckIntegrationStep(step);
    if (shade.size() == 2 && shade[1] < shade[0])
        throw CInputError(kLimitsOrderText);
}

void SFigureOptions::Apply(CGraph &graph) const
{
    const CViewState &view = graph.State();
    if (legend)
        graph.SetShowLegend(true);  // a document's own legend stays
    graph.SetAxisLabels(axes != "classic", axes == "pi");
    const SUnitArea area = view.VisibleArea();
    const int last = std::min<int>(view.m_nLast, CViewState::kSlots - 1);
    auto plotted = [&graph](int i) { return graph.HasFunction(i); };
    for (const std::string &name : marks) {
        const SMarkKind kind = MarkKinds().at(name);
        SAnalysisRequest request;
        request.kind = kind.kind;
        request.from = area.xMin;
        request.to = area.xMax;
        std::vector<SGraphMark> list;
        bool unsearched = false;
        for (int i = 0; i <= last; ++i) {
            if (!plotted(i))
                continue;
            request.function = view.m_aFunctions[i].m_strText;
            request.parameters = view.m_aFunctions[i].Parameters();
            if (kind.kind != EAnalysisKind::Intersections) {
                Search(request, i, -1, list);
                continue;
            }
            for (int j = i + 1; j <= last; ++j)
                if (plotted(j)) {
                    // One search takes one value of each letter.
                    if (!(view.m_aFunctions[j].Parameters() == request.parameters)) {
                        unsearched = true;
                        continue;
                    }
                    request.function2 = view.m_aFunctions[j].m_strText;
                    Search(request, i, j, list);
                }
        }
        if (unsearched)
            Warn("Intersections of curves drawn with different parameter values are not marked.");
        graph.Mark(kind.source, std::move(list));
    }

    if (shade.size() == 2) {
        const int slot = 0;
        if (slot > last || !plotted(slot))
            throw CInputError("There is no function to integrate.");
        const std::string &text = view.m_aFunctions[slot].m_strText;
        CheckIntegrationWork(text, shade[0], shade[1], step, rule);
        CExpression f = view.m_aFunctions[slot];
        const SIntegral integral = Integrate(f, shade[0], shade[1], step, rule);
        if (integral.pole || integral.unboundedEnd)
            throw CInputError(IntegralText(integral));
        if (std::isnan(integral.value))
            Warn(IntegralText(integral.value));  // nothing to shade where the function is undefined
        else
            graph.Shade(SShading{slot, shade[0], shade[1], IntegralLabel(shade[0], shade[1], integral, rule, step)});
    }
}
