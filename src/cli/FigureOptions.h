#pragma once

#include "core/analysis/Integration.h"

#include <string>
#include <vector>

namespace CLI {
class App;
}
class CGraph;

// What plot and render draw beside the curves, so a worksheet's figure
// carries the window's results: marks of the analyses over the visible
// domain, the shaded integral of the first function, the legend.
struct SFigureOptions
{
    std::vector<std::string> marks;  // roots, extrema, inflection, intersections
    std::vector<double> shade;       // A B, or empty
    EIntegrationRule rule = kDefaultIntegrationRule;
    double step = kDefaultIntegrationWidth;
    bool legend = false;
    std::string axes = "readable";  // readable, classic or pi

    void AddOptions(CLI::App &cmd);
    // Checked before any work, so bad usage costs nothing.
    void CheckUsage() const;
    // Searches and integrates into the graph; CInputError when the
    // integral is refused, as the integrate command refuses it.
    void Apply(CGraph &graph) const;
};
