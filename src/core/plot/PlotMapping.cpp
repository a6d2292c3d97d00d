#include "core/plot/PlotMapping.h"

#include "core/plot/ViewState.h"

#include <algorithm>

static_assert(SPlotMapping::kUnit == CViewState::kUnit);

SPlotMapping SPlotMapping::Of(const CViewState &view, int right, int bottom, double k)
{
    SPlotMapping m;
    m.scaleX = k * view.m_dScaleX;
    m.scaleY = k * view.m_dScaleY;
    m.w2 = std::max(right, 0) / 2;
    m.h2 = std::max(bottom, 0) / 2;
    m.panX = view.m_nPanX;
    m.panY = view.m_nPanY;
    return m;
}
