#pragma once

#include <optional>
#include <string>
#include <vector>

// Results shown on the graph beside the curves: the points an analysis
// listed and the region of the last integral. A document saves them with
// the graph (core/doc/CvaSection.h).
enum class EMarkKind { Root, Maximum, Minimum, Inflection, Intersection };

// The list a mark came from: a new list of the same source replaces it.
enum class EMarkSource { Roots, Extrema, Inflection, Intersections, Command };

struct SGraphMark
{
    int slot = 0;        // the curve it lies on, whose colour it takes
    int otherSlot = -1;  // the second curve of an intersection
    double x = 0.0;
    double y = 0.0;
    EMarkKind kind = EMarkKind::Root;
    EMarkSource source = EMarkSource::Roots;
    std::string label;  // the coordinates as the list shows them
    bool operator==(const SGraphMark &) const = default;
};

// The region between a curve and the x axis over [from, to].
struct SShading
{
    int slot = 0;
    double from = 0.0;
    double to = 0.0;
    std::string label;  // limits, value, rule and step
    bool operator==(const SShading &) const = default;
};

struct SGraphResults
{
    std::vector<SGraphMark> marks;
    int highlighted = -1;  // index into marks, -1 for none
    std::optional<SShading> shading;

    // A new list from source: its old marks go, the highlight with them.
    void SetMarks(EMarkSource source, std::vector<SGraphMark> list);
    void Highlight(EMarkSource source, int row);  // row of that source's list, -1 for none
    // The function of slot changed or went away: its marks and shading go.
    void DropSlot(int slot);
    void Clear();
    bool Empty() const { return marks.empty() && !shading; }
};
