#pragma once

#include "core/analysis/AnalysisRun.h"
#include "core/plot/GraphResults.h"

#include <vector>

// The points a search listed as marks of slot (and otherSlot for
// intersections), each with its label; the page and the command line share it.
std::vector<SGraphMark> MarksOf(EAnalysisKind kind, const std::vector<SAnalysisPoint> &points, int slot,
                                int otherSlot = -1);
