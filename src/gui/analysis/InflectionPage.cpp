#include "gui/analysis/InflectionPage.h"

namespace {

const SPageControls kControls = {EAnalysisKind::Inflection, {1000, 1002, 1003}, 1004, 1005, 1007, 1013, 1010, false,
                                 false};

}  // namespace

CInflex::CInflex(QWidget *parent) : CAnalysisPage(kControls, parent) {}
