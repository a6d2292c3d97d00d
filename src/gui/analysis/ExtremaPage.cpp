#include "gui/analysis/ExtremaPage.h"

namespace {

const SPageControls kControls = {EAnalysisKind::Extrema, {1000, 1002, 1003}, 1004, 1005, 1007, 1041, 1001, false, false};

}  // namespace

CCrit::CCrit(QWidget *parent) : CAnalysisPage(kControls, parent) {}
