#include "gui/analysis/RootsPage.h"

namespace {

const SPageControls kControls = {EAnalysisKind::Roots, {1000, 1001, 1002}, 1003, 1004, 1005, 1041, 1007, true, true};

}  // namespace

CSolve::CSolve(QWidget *parent) : CAnalysisPage(kControls, parent) {}
