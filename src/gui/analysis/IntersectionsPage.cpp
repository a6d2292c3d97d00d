#include "gui/analysis/IntersectionsPage.h"

namespace {

// The roots page's ids, and one more for the second chooser.
const SPageControls kControls = {EAnalysisKind::Intersections, {1000, 1001, 1002}, 1003, 1004, 1005, 1041, 1007, true,
                                 true, 1015};

}  // namespace

CIntersect::CIntersect(QWidget *parent) : CAnalysisPage(kControls, parent) {}
