#pragma once

#include "core/plot/GraphResults.h"
#include "core/plot/GraphState.h"

#include <array>
#include <cstdint>
#include <string>

// The graph as one step of its undo history puts it back: the graph with
// its pens and mapping, the derivatives shown, the slot the next plot
// follows, the selected slot, the autoscale mode and the results shown.
struct SViewSnapshot
{
    SGraphState graph;
    std::array<CExpression, SGraphState::kSlots> derivatives;
    std::int16_t current = -1;
    std::int32_t selected = -1;
    bool autoscale = false;
    SGraphResults results;
};

// The name of the change from one graph to another, as the Undo and Redo
// commands show it ("Plot", "Clear Graph", "Zoom", ...); empty when nothing
// a document holds changed. The weightiest change names it.
std::string ChangeName(const SGraphState &before, const SGraphState &after);
