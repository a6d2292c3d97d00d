#include "core/analysis/AnalysisMarks.h"

namespace {

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

}  // namespace

std::vector<SGraphMark> MarksOf(EAnalysisKind kind, const std::vector<SAnalysisPoint> &points, int slot,
                                int otherSlot)
{
    std::vector<SGraphMark> marks;
    marks.reserve(points.size());
    for (const SAnalysisPoint &p : points)
        marks.push_back({slot, otherSlot, p.x, p.y, KindOf(kind, p), EMarkSource::Command, p.label});
    return marks;
}
