#include "graph/model/Graph.h"

#include "core/deriv/Derivative.h"
#include "core/doc/CvaSection.h"
#include "core/doc/DocumentSync.h"
#include "core/expr/FunctionText.h"
#include "core/plot/ViewSnapshot.h"
#include "graph/model/GraphCommand.h"
#include "graph/render/GraphPicture.h"
#include "graph/render/GraphRenderer.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

const GraphChanges kEverything = EGraphChange::Functions | EGraphChange::Pens | EGraphChange::Mapping |
                                 EGraphChange::Selection | EGraphChange::Results | EGraphChange::Parameters;

bool SameSlot(const SGraphState &a, const SGraphState &b, int i)
{
    const CExpression &f = a.m_aFunctions[i], &g = b.m_aFunctions[i];
    return f.m_strText == g.m_strText && f.m_strCoded == g.m_strCoded &&
           a.m_aDerivativeShown[i] == b.m_aDerivativeShown[i];
}

// Two texts that compile to the same program ("sin x" and "sin(x)") are one function.
bool SameFunction(const CExpression &a, const CExpression &b)
{
    if (a.m_strCoded == b.m_strCoded)
        return true;
    if (!a.IsWellFormed() || !b.IsWellFormed() || a.TokenCodes() != b.TokenCodes())
        return false;
    const auto &va = a.TokenValues(), &vb = b.TokenValues();
    return std::equal(va.begin(), va.end(), vb.begin(), vb.end(),
                      [](double p, double q) { return p == q || (std::isnan(p) && std::isnan(q)); });
}

}  // namespace

CGraph::CGraph(QObject *parent) : QObject(parent), m_pRenderer(new CGraphRenderer(m_state))
{
    m_undo.setUndoLimit(500);
}

CGraph::~CGraph()
{
    // Emptying the history must not tell a document already being torn down.
    m_undo.blockSignals(true);
    m_undo.clear();
    delete m_pRenderer;
}

SViewSnapshot CGraph::Memento() const
{
    return m_state.Snapshot();
}

GraphChanges CGraph::Compare(const SViewSnapshot &a, const SViewSnapshot &b)
{
    GraphChanges what;
    bool functions = a.graph.m_nLast != b.graph.m_nLast || a.current != b.current;
    bool pens = a.graph.m_aColor != b.graph.m_aColor || a.graph.m_aWidth != b.graph.m_aWidth;
    for (int i = 0; i < kSlots && !functions; ++i)
        functions = !SameSlot(a.graph, b.graph, i) ||
                    a.derivatives[i].m_strText != b.derivatives[i].m_strText;
    if (functions)
        what |= EGraphChange::Functions;
    if (pens)
        what |= EGraphChange::Pens;
    if (a.graph.m_dScaleX != b.graph.m_dScaleX || a.graph.m_dScaleY != b.graph.m_dScaleY ||
        a.graph.m_nPanX != b.graph.m_nPanX || a.graph.m_nPanY != b.graph.m_nPanY)
        what |= EGraphChange::Mapping;
    if (a.selected != b.selected)
        what |= EGraphChange::Selection;
    if (a.autoscale != b.autoscale)
        what |= EGraphChange::Options;
    if (a.results.marks != b.results.marks || a.results.shading != b.results.shading)
        what |= EGraphChange::Results;
    if (a.graph.m_parameters != b.graph.m_parameters)
        what |= EGraphChange::Parameters;
    return what;
}

void CGraph::Record(SViewSnapshot before, const char *name)
{
    SViewSnapshot after = Memento();
    const GraphChanges what = Compare(before, after);
    if (!what)
        return;
    // Selection and view options alone are not steps of the history.
    if (what & ~GraphChanges(EGraphChange::Selection | EGraphChange::Options)) {
        const QString text = name ? QString::fromLatin1(name)
                                  : QString::fromStdString(ChangeName(before.graph, after.graph));
        m_undo.push(new CGraphCommand(*this, std::move(before), std::move(after), text, m_nGesture));
    }
    emit changed(what);
}

template <class F> void CGraph::Change(F &&change, const char *name)
{
    SViewSnapshot before = Memento();
    change();
    ApplyParameters();
    Record(std::move(before), name);
}

void CGraph::Restore(const SViewSnapshot &from, const SViewSnapshot &to)
{
    // Only what the step changed goes back; a choice made since stays.
    const GraphChanges what = Compare(from, to);
    m_bRestoring = true;
    if (what & EGraphChange::Functions) {
        auto &graph = static_cast<SGraphState &>(m_state);
        graph.m_aFunctions = to.graph.m_aFunctions;
        graph.m_aDerivativeShown = to.graph.m_aDerivativeShown;
        graph.m_nLast = to.graph.m_nLast;
        m_state.m_aDerivatives = to.derivatives;
        m_state.m_nCurrent = to.current;
    }
    if (what & EGraphChange::Pens) {
        m_state.m_aColor = to.graph.m_aColor;
        m_state.m_aWidth = to.graph.m_aWidth;
    }
    if (what & EGraphChange::Mapping) {
        m_state.m_dScaleX = to.graph.m_dScaleX;
        m_state.m_dScaleY = to.graph.m_dScaleY;
        m_state.m_nPanX = to.graph.m_nPanX;
        m_state.m_nPanY = to.graph.m_nPanY;
    }
    if (what & EGraphChange::Selection)
        m_state.m_nSelected = to.selected;
    if (m_state.m_nSelected > m_state.m_nLast)
        m_state.m_nSelected = m_state.m_nLast >= 0 ? 0 : -1;
    if (what & EGraphChange::Options)
        m_state.m_bAutoscale = to.autoscale;
    if (what & EGraphChange::Results)
        m_state.m_results = to.results;
    if (what & EGraphChange::Parameters)
        m_state.m_parameters = to.graph.m_parameters;
    ApplyParameters();  // functions put back carry the values of their time
    emit changed(what | EGraphChange::Selection);
    m_bRestoring = false;
}

// --- Functions ------------------------------------------------------------------

CGraph::EPlot CGraph::Plot(const std::string &typed, const std::array<std::string, 4> &fields,
                           std::vector<SViewMessage> *messages)
{
    const std::string text = LowerAscii(typed);
    if (IsBlankText(text))
        return EPlot::Blank;
    CExpression candidate;
    candidate.SetExpression(text);
    for (int i = 0; i <= m_state.m_nLast && i < kSlots; ++i)
        if (SameFunction(m_state.m_aFunctions[i], candidate))
            return EPlot::AlreadyPlotted;  // never plotted twice
    if (CheckSyntax(candidate.m_strCoded) != 0)
        return EPlot::SyntaxError;
    candidate.SetParameters(m_state.m_parameters.Values());  // autoscale sees the values too

    Change([&] {
        if (m_bFirstPlot) {
            // The first function of a run lands in slot 0 of an empty graph.
            // The mapping stays: it holds the typed domain or the autoscale.
            m_bFirstPlot = false;
            EmptyAll(false);
        }
        CViewState &s = m_state;
        if (s.m_nLast < kSlots - 1)
            ++s.m_nLast;
        s.m_nCurrent = static_cast<std::int16_t>(s.m_nCurrent < 0 || s.m_nCurrent >= kSlots - 1 ? 0 : s.m_nCurrent + 1);
        const int slot = s.m_nCurrent;
        // The derivative-shown flag stays with the slot until Clear Graph.
        const bool derivativeShown = s.m_aDerivativeShown[slot];
        s.m_results.DropSlot(slot);  // the points found on the old function
        s.m_aFunctions[slot] = std::move(candidate);
        s.m_aDerivativeShown[slot] = derivativeShown;
        if (derivativeShown)
            DeriveInto(slot);
        if (s.m_bRangeEdited) {
            auto said = s.ApplyDomainRange(fields);
            if (messages)
                messages->insert(messages->end(), said.begin(), said.end());
        }
        s.m_nSelected = slot;
        if (s.m_bAutoscale) {
            CViewState::AutoScale(s.m_aFunctions[slot], s.m_dScaleX, s.m_dScaleY);
            s.m_dScaleX = CViewState::ClampScale(s.m_dScaleX);
            s.m_dScaleY = CViewState::ClampScale(s.m_dScaleY);
        }
    });
    return EPlot::Plotted;
}

void CGraph::EmptyAll(bool recentre)
{
    for (auto &values : m_aSlotValues)
        values.clear();
    CDocumentSync::ClearView(m_state, recentre);
    for (CExpression &d : m_state.m_aDerivatives)
        CDocumentSync::EmptySlot(d);
    m_state.m_results.Clear();
    m_state.m_nSelected = -1;
    m_state.m_nCurrent = -1;
}

void CGraph::Clear(bool recentre)
{
    Change([&] { EmptyAll(recentre); }, "Clear Graph");
}

void CGraph::DeriveInto(int slot)
{
    CExpression &f = m_state.m_aFunctions[slot];
    const CDerivative derivative(f.m_strCoded);
    if (derivative.TooLong()) {
        m_state.m_aDerivativeShown[slot] = false;  // a flag read from a file, too
        CDocumentSync::EmptySlot(m_state.m_aDerivatives[slot]);
        return;
    }
    m_state.m_aDerivatives[slot].SetExpression(derivative.GetResult());
    m_state.m_aDerivatives[slot].RestrictTo(f);
    m_state.m_aDerivativeShown[slot] = true;
}

bool CGraph::Differentiate(int slot)
{
    if (!HasFunction(slot))
        return false;
    if (CDerivative(m_state.m_aFunctions[slot].m_strCoded).TooLong())
        return false;
    Change([&] { DeriveInto(slot); }, "Differentiate");
    return true;
}

void CGraph::Select(int slot)
{
    if (slot < -1 || slot > m_state.m_nLast || slot >= kSlots)
        return;
    Change([&] { m_state.m_nSelected = slot; });
}

bool CGraph::HasFunction(int slot) const
{
    return slot >= 0 && slot <= m_state.m_nLast && slot < kSlots && !m_state.m_aFunctions[slot].m_strCoded.empty();
}

double CGraph::ValueAt(int slot, double x, bool degrees) const
{
    if (!HasFunction(slot))
        return std::nan("");
    CExpression &f = m_state.m_aFunctions[slot];
    f.m_bDegree = degrees;
    return f.Evaluate(x);
}

// --- Parameters -------------------------------------------------------------------

void CGraph::ApplyParameters()
{
    for (int i = 0; i < kSlots; ++i) {
        SParameterValues values = m_state.m_parameters.Values();
        for (const auto &[letter, value] : m_aSlotValues[i])
            values.Set(letter, value);
        if (!(m_state.m_aFunctions[i].Parameters() == values))
            m_state.m_aFunctions[i].SetParameters(values);
        if (!(m_state.m_aDerivatives[i].Parameters() == values))
            m_state.m_aDerivatives[i].SetParameters(values);
    }
}

bool CGraph::SetParameter(char letter, const SParameter &parameter)
{
    if (!IsParameterLetter(letter) || !parameter.IsValid())
        return false;
    if (m_state.m_parameters.Of(letter) == parameter)
        return true;
    Change([&] { m_state.m_parameters.Of(letter) = parameter; }, "Parameter");
    return true;
}

void CGraph::SetSlotValue(int slot, char letter, double value)
{
    if (slot < 0 || slot >= kSlots || !IsParameterLetter(letter) || !std::isfinite(value))
        return;
    m_aSlotValues[slot].emplace_back(letter, value);
    ApplyParameters();
    emit changed(EGraphChange::Functions);
}

std::string CGraph::UsedParameters() const
{
    std::string used;
    for (const char *p = kParameterLetters; *p; ++p)
        for (int i = 0; i <= m_state.m_nLast && i < kSlots; ++i)
            if (m_state.m_aFunctions[i].UsedParameters().find(*p) != std::string::npos) {
                used += *p;
                break;
            }
    return used;
}

// --- Pens ---------------------------------------------------------------------------

void CGraph::SetPens(const std::array<ColorRef, kSlots> &colors, const std::array<std::int32_t, kSlots> &widths)
{
    Change([&] {
        m_state.m_aColor = colors;
        m_state.m_aWidth = widths;
    }, "Graph Attributes");
}

// --- Mapping --------------------------------------------------------------------------

bool CGraph::Zoom(double fx, double fy)
{
    bool done = false;
    Change([&] { done = m_state.Zoom(fx, fy); });
    return done;
}

bool CGraph::ZoomAbout(double px, double py, double fx, double fy)
{
    bool done = false;
    Change([&] { done = m_state.ZoomAbout(px, py, fx, fy); });
    return done;
}

void CGraph::Pan(int dx, int dy)
{
    Change([&] { m_state.PanBy(dx, dy); });
}

void CGraph::PanStep(int dirX, int dirY)
{
    Change([&] { m_state.PanStep(dirX, dirY); });
}

void CGraph::SquareUnits()
{
    Change([&] { m_state.SquareUnits(); });
}

void CGraph::Center()
{
    Change([&] { m_state.Center(); });
}

void CGraph::SetMapping(double scaleX, double scaleY, double panX, double panY)
{
    Change([&] {
        m_state.m_dScaleX = CViewState::ClampScale(scaleX);
        m_state.m_dScaleY = CViewState::ClampScale(scaleY);
        m_state.m_nPanX = CViewState::ClampPan(panX);
        m_state.m_nPanY = CViewState::ClampPan(panY);
    });
}

std::vector<SViewMessage> CGraph::SetDomain(const std::array<std::string, 4> &fields)
{
    std::vector<SViewMessage> messages;
    Change([&] { messages = m_state.ApplyDomainRange(fields); });
    return messages;
}

std::vector<SViewMessage> CGraph::RePlot(const std::array<std::string, 4> &fields)
{
    std::vector<SViewMessage> messages;
    Change([&] {
        CViewState &s = m_state;
        s.m_bRangeEdited = true;
        if (s.m_bAutoscale && s.m_nSelected >= 0 && s.m_nSelected < kSlots) {
            CViewState::AutoScale(s.m_aFunctions[s.m_nSelected], s.m_dScaleX, s.m_dScaleY);
            s.m_dScaleX = CViewState::ClampScale(s.m_dScaleX);
            s.m_dScaleY = CViewState::ClampScale(s.m_dScaleY);
        }
        messages = s.ApplyDomainRange(fields);
    });
    return messages;
}

// --- Options --------------------------------------------------------------------------

void CGraph::SetShowGrid(bool on)
{
    if (m_state.m_bShowGrid == on)
        return;
    m_state.m_bShowGrid = on;
    emit changed(EGraphChange::Options);
}

void CGraph::SetShowLegend(bool on)
{
    if (m_state.m_bShowLegend == on)
        return;
    m_state.m_bShowLegend = on;
    emit changed(EGraphChange::Options);
}

void CGraph::SetAxisLabels(bool readable, bool piUnits)
{
    if (m_state.m_bReadableAxes == readable && m_state.m_bPiUnits == piUnits)
        return;
    m_state.m_bReadableAxes = readable;
    m_state.m_bPiUnits = piUnits;
    emit changed(EGraphChange::Options);
}

void CGraph::ToggleAutoscale()
{
    Change([&] { m_state.ToggleAutoscale(); });
}

// --- Results ---------------------------------------------------------------------------

void CGraph::Mark(EMarkSource source, std::vector<SGraphMark> marks)
{
    Change([&] { m_state.m_results.SetMarks(source, std::move(marks)); }, "Mark Points");
}

void CGraph::Highlight(EMarkSource source, int row)
{
    const int was = m_state.m_results.highlighted;
    m_state.m_results.Highlight(source, row);
    if (m_state.m_results.highlighted != was)
        emit changed(EGraphChange::Results);
}

void CGraph::Shade(std::optional<SShading> shading)
{
    Change([&] { m_state.m_results.shading = std::move(shading); }, "Integrate");
}

// --- Documents -----------------------------------------------------------------------

void CGraph::Load(const EqStore &record)
{
    SGraphState snapshot;
    for (auto &values : m_aSlotValues)
        values.clear();
    CDocumentSync::LoadRecordIntoView(record, snapshot, m_state);
    m_state.SanitizeMapping();
    for (CExpression &d : m_state.m_aDerivatives)
        CDocumentSync::EmptySlot(d);
    for (int i = 0; i <= m_state.m_nLast && i < kSlots; ++i)
        if (m_state.m_aDerivativeShown[i])
            DeriveInto(i);
    // Only what lies on the loaded slots: the painter indexes pens by a mark's slot.
    m_state.m_results = CvaSection::Storable(record.m_results, m_state.m_nLast);
    m_state.m_bShowLegend = record.m_bShowLegend;
    // The functions of the file are this run's first ones.
    if (m_state.m_nLast >= 0)
        m_bFirstPlot = false;
    m_state.m_nSelected = m_state.m_nLast >= 0 ? 0 : -1;
    m_state.m_nCurrent = static_cast<std::int16_t>(m_state.m_nLast);
    ApplyParameters();
    m_undo.clear();
    emit changed(kEverything);
}

void CGraph::Reset()
{
    EmptyAll(true);
    m_state.m_parameters = SParameterTable{};
    m_undo.clear();
    emit changed(kEverything);
}

// --- Drawing ---------------------------------------------------------------------------

void CGraph::Draw(QPainter &p, const QRect &area, double k, const QColor &background, SRenderTiming *timing)
{
    m_state.SanitizeMapping();
    m_pRenderer->Render(p, area, k, background, m_state.m_nLast, timing);
}

void CGraph::DrawDense(QPainter &p, const QRect &device, double dpr, const QColor &background)
{
    m_state.SanitizeMapping();
    if (dpr == 1.0) {
        m_pRenderer->Render(p, device, 1.0, background, m_state.m_nLast);
        return;
    }
    // Curves sampled once per device column: pans and pen widths in device
    // pixels, the state left as it was.
    const std::int32_t panX = m_state.m_nPanX, panY = m_state.m_nPanY;
    const auto widths = m_state.m_aWidth;
    m_state.m_nPanX = CViewState::ClampPan(panX * dpr);
    m_state.m_nPanY = CViewState::ClampPan(panY * dpr);
    for (auto &w : m_state.m_aWidth)
        w = std::max(1, static_cast<int>(std::lround(std::clamp(w, 1, 1000) * dpr)));
    m_pRenderer->Render(p, device, dpr, background, m_state.m_nLast);
    m_state.m_nPanX = panX;
    m_state.m_nPanY = panY;
    m_state.m_aWidth = widths;
}

SGraphPicture CGraph::Picture(const QSize &size, const QColor &background)
{
    SGraphPicture picture;
    picture.size = size.expandedTo(QSize(1, 1));
    SetClientSize(picture.size.width(), picture.size.height());
    // Drawn on a canvas as large as the window's picture buffer (the screen),
    // so antialiased lines leaving the area meet the same device edges and
    // the pixels equal the window's.
    QSize canvasSize = picture.size;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        canvasSize = canvasSize.expandedTo(screen->size());
    QImage canvas(canvasSize, QImage::Format_RGB32);
    canvas.fill(background);
    {
        QPainter p(&canvas);
        Draw(p, QRect(QPoint(0, 0), picture.size), 1.0, background);
    }
    picture.bitmap = canvas.copy(QRect(QPoint(0, 0), picture.size));
    picture.draw = [this, background](QPainter &p, const QRect &area) { Draw(p, area, 1.0, background); };
    return picture;
}
