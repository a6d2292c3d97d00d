#include "core/plot/ViewState.h"

#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"

#include <algorithm>
#include <cmath>

CViewState::CViewState()
{
    m_aColor = {MakeColorRef(255, 0, 0), MakeColorRef(0, 128, 0), MakeColorRef(0, 0, 255),
                MakeColorRef(128, 0, 128), MakeColorRef(128, 128, 0)};
    m_aWidth = {1, 1, 1, 1, 1};
}

void CViewState::SetClientSize(int width, int height)
{
    m_nWidth = std::max(0, width);
    m_nHeight = std::max(0, height);
}

double CViewState::ClampScale(double s)
{
    if (std::isnan(s))
        return 1.0;
    return std::clamp(s, kMinScale, kMaxScale);
}

std::int32_t CViewState::ClampPan(double p)
{
    if (std::isnan(p))
        return 0;
    // Truncation toward zero, saturated instead of overflowing.
    p = std::clamp(p, -static_cast<double>(kMaxPan), static_cast<double>(kMaxPan));
    return static_cast<std::int32_t>(p);
}

void CViewState::SanitizeMapping()
{
    m_dScaleX = ClampScale(m_dScaleX);
    m_dScaleY = ClampScale(m_dScaleY);
    m_nPanX = ClampPan(m_nPanX);
    m_nPanY = ClampPan(m_nPanY);
}

double CViewState::PixelColumn(double x) const
{
    return m_nWidth / 2 + m_nPanX + kUnit * m_dScaleX * x;
}

double CViewState::PixelRow(double y) const
{
    return m_nHeight / 2 - m_nPanY - kUnit * m_dScaleY * y;
}

double CViewState::UnitX(double px) const
{
    return (px - m_nPanX - m_nWidth / 2) / (kUnit * m_dScaleX);
}

double CViewState::UnitY(double py) const
{
    return (py - m_nHeight / 2 + m_nPanY) / (-kUnit * m_dScaleY);
}

SUnitArea CViewState::VisibleArea() const
{
    const double w = m_nWidth, h = m_nHeight;
    SUnitArea a;
    a.xMin = -w / (100 * m_dScaleX) - m_nPanX / (kUnit * m_dScaleX);
    a.xMax = w / (100 * m_dScaleX) - m_nPanX / (kUnit * m_dScaleX);
    a.yMin = -h / (100 * m_dScaleY) - m_nPanY / (kUnit * m_dScaleY);
    a.yMax = h / (100 * m_dScaleY) - m_nPanY / (kUnit * m_dScaleY);
    return a;
}

namespace {

// The fewest decimals (two at least) that read back within a thousandth of
// a pixel: a view zoomed far in still maps back to itself.
std::string RangeText(double v, double pixel)
{
    std::string text;
    for (int decimals = 2; decimals <= 17; ++decimals) {
        text = FormatFixed(v + 0.0, decimals);
        if (std::fabs(ReadNumber(text) - v) <= pixel * 1e-3)
            break;
    }
    return text;
}

}  // namespace

std::array<std::string, 4> CViewState::RangeFieldTexts() const
{
    const SUnitArea a = VisibleArea();
    const double px = 1.0 / (kUnit * m_dScaleX), py = 1.0 / (kUnit * m_dScaleY);
    m_aShownRange = {RangeText(a.xMin, px), RangeText(a.xMax, px), RangeText(a.yMin, py), RangeText(a.yMax, py)};
    // A typed range comes back as typed while its axis is as it made it.
    const double now[6] = {m_dScaleX, static_cast<double>(m_nPanX), static_cast<double>(m_nWidth),
                           m_dScaleY, static_cast<double>(m_nPanY), static_cast<double>(m_nHeight)};
    for (int axis = 0; axis < 2; ++axis)
        if (m_typedView[3 * axis] > 0 && std::equal(now + 3 * axis, now + 3 * axis + 3, m_typedView.begin() + 3 * axis)) {
            m_aShownRange[2 * axis] = m_aTypedRange[2 * axis];
            m_aShownRange[2 * axis + 1] = m_aTypedRange[2 * axis + 1];
        }
    m_shownView = {m_dScaleX, static_cast<double>(m_nPanX), m_dScaleY, static_cast<double>(m_nPanY)};
    return m_aShownRange;
}

namespace {

// One axis of ApplyDomainRange. Returns false with a message when the
// fields are unusable; leaves scale and pan alone then.
bool ApplyAxis(const std::string &minText, const std::string &maxText, double extent, double &scale,
               std::int32_t &pan, const char *what, const char *minName, const char *maxName,
               std::vector<SViewMessage> &messages)
{
    const bool hasMin = !minText.empty(), hasMax = !maxText.empty();
    if (!hasMin && !hasMax)
        return true;
    const std::string name = what;  // "Domain" or "Range"
    if (hasMin != hasMax) {
        messages.push_back({"Error 0x07:\n\nOne of " + name + " values is missing!\nDefault " + name +
                                " will be used.",
                            name + " Error"});
        return false;
    }
    const double lo = ReadNumber(minText), hi = ReadNumber(maxText);
    if (!(hi > lo)) {
        messages.push_back({std::string("Error 0x06:\n\n'") + maxName + "' must be greater that '" + minName +
                                "'!\nDefault " + name + " will be used.",
                            "Invalid " + name});
        return false;
    }
    // A mapping the view cannot hold (a scale beyond its bounds, a pan
    // beyond 32 bits: a very narrow or huge interval, or one far from the
    // origin) would silently show another region: refuse it instead.
    const double newScale = (extent / CViewState::kUnit) / (hi - lo);
    const double newPan = extent / 2 - CViewState::kUnit * newScale * hi;
    if (!CViewState::CanHoldScale(newScale) || !CViewState::CanHoldPan(newPan)) {
        messages.push_back({"The " + name + " from " + minText + " to " + maxText +
                                " cannot be shown: it is too narrow, too wide or too far from the origin.\n"
                                "The graph stays as it was.",
                            "Invalid " + name});
        return false;
    }
    scale = newScale;
    pan = CViewState::ClampPan(newPan);
    return true;
}

}  // namespace

std::vector<SViewMessage> CViewState::ApplyDomainRange(const std::array<std::string, 4> &fields)
{
    std::vector<SViewMessage> messages;
    // An axis whose two fields still hold what the view wrote there is the
    // view as it is: reading it back must not move it by a rounding.
    const auto untouched = [&](int i) { return fields[i] == m_aShownRange[i] && fields[i + 1] == m_aShownRange[i + 1]; };
    const auto remember = [&](int axis) {
        if (fields[2 * axis].empty())
            return;
        m_aTypedRange[2 * axis] = fields[2 * axis];
        m_aTypedRange[2 * axis + 1] = fields[2 * axis + 1];
        m_typedView[3 * axis] = axis == 0 ? m_dScaleX : m_dScaleY;
        m_typedView[3 * axis + 1] = axis == 0 ? m_nPanX : m_nPanY;
        m_typedView[3 * axis + 2] = axis == 0 ? m_nWidth : m_nHeight;
    };
    if (!untouched(0)) {
        if (ApplyAxis(fields[0], fields[1], m_nWidth, m_dScaleX, m_nPanX, "Domain", "x min", "x max", messages))
            remember(0);
    } else if (m_shownView[0] > 0) {
        m_dScaleX = m_shownView[0];
        m_nPanX = static_cast<std::int32_t>(m_shownView[1]);
    }
    if (!untouched(2)) {
        if (ApplyAxis(fields[2], fields[3], m_nHeight, m_dScaleY, m_nPanY, "Range", "y min", "y max", messages))
            remember(1);
    } else if (m_shownView[2] > 0) {
        m_dScaleY = m_shownView[2];
        m_nPanY = static_cast<std::int32_t>(m_shownView[3]);
    }
    m_bRangeEdited = false;
    return messages;
}

namespace {
// The size of f's mean secant slope over three runs of x, averaged: the
// measure AutoScale picks the scales from.
double MeanSlope(CExpression &f)
{
    // Each mean is a sum of forward differences over a run of x accumulated
    // by repeated addition of 0.1; documents rely on the scales it picks.
    auto mean = [&f](double from, double to) {
        std::vector<double> xs, ys, xs1, ys1;
        for (double x = from; x <= to; x += 0.1) {
            xs.push_back(x);
            xs1.push_back(x + 0.1);
        }
        ys.resize(xs.size());
        ys1.resize(xs.size());
        f.EvaluateMany(xs.data(), ys.data(), xs.size());
        f.EvaluateMany(xs1.data(), ys1.data(), xs1.size());
        double sum = 0;
        for (std::size_t i = 0; i < xs.size(); ++i)
            sum += (ys1[i] - ys[i]) * 10;
        return std::fabs(sum * 0.01);
    };
    return (mean(-5, 5) + mean(0, 10) + mean(-10, 0)) / 3;
}
}  // namespace

void CViewState::AutoScale(CExpression f, double &sx, double &sy)
{
    double s = MeanSlope(f);
    if (std::isnan(s))
        return;
    if (s >= 0.09 && s <= 100) {
        sx = 1.0;
        sy = 1.0;
        return;
    }
    int n = 0;
    if (s > 100) {
        while (!(s < 1)) {
            if (++n > 50)
                return;
            s /= 10;
        }
        sx = 1.0;
        sy = std::ldexp(1.0, 4 * (2 - n));
    } else {
        while (!(s > 1)) {
            if (++n > 50)
                return;
            s *= 10;
        }
        sx = std::ldexp(1.0, 4 * (3 - n));
        sy = 1.0;
    }
}

bool CViewState::CanHoldScale(double s) { return s >= kMinScale && s <= kMaxScale; }

bool CViewState::CanHoldPan(double p) { return std::fabs(p) <= kMaxPan; }

bool CViewState::Zoom(double fx, double fy)
{
    if (!CanHoldScale(m_dScaleX * fx) || !CanHoldScale(m_dScaleY * fy))
        return false;
    m_dScaleX *= fx;
    m_dScaleY *= fy;
    return true;
}

void CViewState::SquareUnits()
{
    const double s = std::min(m_dScaleX, m_dScaleY);
    m_dScaleX = s;
    m_dScaleY = s;
}

void CViewState::Center()
{
    m_dScaleX = 1.0;
    m_dScaleY = 1.0;
    m_nPanX = 0;
    m_nPanY = 0;
}

void CViewState::ToggleAutoscale()
{
    m_bAutoscale = !m_bAutoscale;
    if (m_bAutoscale && m_nSelected >= 0 && m_nSelected < kSlots) {
        AutoScale(m_aFunctions[m_nSelected], m_dScaleX, m_dScaleY);
        m_dScaleX = ClampScale(m_dScaleX);
        m_dScaleY = ClampScale(m_dScaleY);
    }
}

void CViewState::PanBy(int dx, int dy)
{
    // Dragging moves the picture with the mouse; positive pan y moves it up.
    m_nPanX = ClampPan(static_cast<double>(m_nPanX) + dx);
    m_nPanY = ClampPan(static_cast<double>(m_nPanY) - dy);
}

bool CViewState::ZoomAbout(double px, double py, double fx, double fy)
{
    // The unit under the cursor before, mapped back with the new scales,
    // gives the pans that put it under the cursor again.
    const double cx = px - m_nWidth / 2, cy = py - m_nHeight / 2;
    const double panX = std::round(fx * m_nPanX + cx * (1 - fx));
    const double panY = std::round(fy * m_nPanY + cy * (fy - 1));
    // Saturated pans would slide the view away from the point.
    if (!CanHoldPan(panX) || !CanHoldPan(panY) || !Zoom(fx, fy))
        return false;
    m_nPanX = static_cast<std::int32_t>(panX);
    m_nPanY = static_cast<std::int32_t>(panY);
    return true;
}

void CViewState::PanStep(int dirX, int dirY)
{
    // Seeing more to the right moves the picture to the left.
    const double dx = std::round(m_nWidth / 10.0) * (dirX > 0 ? -1 : dirX < 0 ? 1 : 0);
    const double dy = std::round(m_nHeight / 10.0) * (dirY > 0 ? -1 : dirY < 0 ? 1 : 0);
    m_nPanX = ClampPan(static_cast<double>(m_nPanX) + dx);
    m_nPanY = ClampPan(static_cast<double>(m_nPanY) + dy);
}

SViewSnapshot CViewState::Snapshot() const
{
    SViewSnapshot s;
    s.graph = static_cast<const SGraphState &>(*this);
    s.derivatives = m_aDerivatives;
    s.current = m_nCurrent;
    s.selected = m_nSelected;
    s.autoscale = m_bAutoscale;
    s.results = m_results;
    return s;
}

std::array<std::string, 4> CViewState::ZoomAreaFields(int x1, int y1, int x2, int y2) const
{
    double ux1 = UnitX(x1), ux2 = UnitX(x2);
    double uy1 = UnitY(y1), uy2 = UnitY(y2);
    if (ux1 > ux2)
        std::swap(ux1, ux2);
    if (uy1 > uy2)
        std::swap(uy1, uy2);
    // + 0.0 turns a negative zero (a corner on an axis) into a plain zero.
    return {FormatFixed(ux1 + 0.0, 12), FormatFixed(ux2 + 0.0, 12), FormatFixed(uy1 + 0.0, 12),
            FormatFixed(uy2 + 0.0, 12)};
}

float CViewState::SampleStep(double k) const
{
    return static_cast<float>(1.0 / (kUnit * k * m_dScaleX));
}

double CViewState::HalfRange(double width, double k) const
{
    return width / (100 * k * m_dScaleX) + 5 * EffectiveStep(SampleStep(k), k * m_dScaleX);
}

double EffectiveStep(float step, double scaleX)
{
    const double s = step;
    if (s > 0 && std::isfinite(s))
        return s;
    // Beyond the reach of a float the step is taken in double precision.
    return 1.0 / (CViewState::kUnit * scaleX);
}
