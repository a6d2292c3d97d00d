#pragma once

#include "core/plot/GraphResults.h"
#include "core/plot/ViewState.h"
#include "core/doc/DocumentRecord.h"

#include <QFlags>
#include <QObject>
#include <QUndoStack>

#include <array>
#include <optional>
#include <string>
#include <vector>

class CGraphRenderer;
class QColor;
class QPainter;
class QRect;
struct SGraphPicture;
struct SRenderTiming;
class QSize;

// What a change touched, as the changed signal names it.
enum class EGraphChange {
    Functions = 0x01,  // slots, their texts and derivatives
    Pens = 0x02,
    Mapping = 0x04,  // scales and pans
    Selection = 0x08,
    Results = 0x10,  // marks, their highlight and the shaded integral
    Options = 0x20,  // grid, legend, axis labels, autoscale
    Parameters = 0x40,  // values and slider ranges of the parameter letters
};
Q_DECLARE_FLAGS(GraphChanges, EGraphChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(GraphChanges)

// The graph: five function slots with their derivatives and pens, the
// mapping between units and pixels, the selection, the analyses' marks, the
// shaded integral, the view options and the history of changes. Every change
// goes through a method here, which pushes one undo step (where the change
// is one a user undoes) and emits changed once. Windows, the command line
// and the tests read the state and draw it; none of them writes it.
class CGraph : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSlots = SGraphState::kSlots;

    explicit CGraph(QObject *parent = nullptr);
    ~CGraph() override;

    const CViewState &State() const { return m_state; }
    QUndoStack *UndoStack() { return &m_undo; }

    // The drawing area in logical pixels; not a change of the graph.
    void SetClientSize(int width, int height) { m_state.SetClientSize(width, height); }

    // --- Functions -----------------------------------------------------------
    enum class EPlot { Plotted, Blank, AlreadyPlotted, SyntaxError };
    // Plots a typed text into the next slot of the ring of five (the sixth
    // function replaces slot 0); the plotted slot becomes the selected one.
    // Range texts edited since the last plot are applied in the same step,
    // their messages added to messages.
    EPlot Plot(const std::string &typed, const std::array<std::string, 4> &fields = {},
               std::vector<SViewMessage> *messages = nullptr);
    // Clear Graph: every slot, derivative, mark and the shading go; recentre
    // also puts the mapping back to its start.
    void Clear(bool recentre);
    // Shows the derivative of slot; false, nothing changed, when it is too
    // long to work out.
    bool Differentiate(int slot);
    // The selected slot; -1 selects none.
    void Select(int slot);

    // --- Parameters ------------------------------------------------------------
    // Sets a letter's value and range; every function and derivative is
    // evaluated with the new value at once (nothing compiled again). One
    // undo step, merged over a gesture. False, nothing changed, for a letter
    // that is no parameter or an entry that is not valid.
    bool SetParameter(char letter, const SParameter &parameter);
    const SParameterTable &Parameters() const { return m_state.m_parameters; }
    SParameterValues ParameterValues() const { return m_state.m_parameters.Values(); }
    // The letters the plotted functions use, each once, alphabetically.
    std::string UsedParameters() const;
    // A family of curves (the command line's a=1,2,3): slot's function and
    // derivative take value for letter whatever the table holds. Drawn and
    // named in the legend; no undo step, never saved; Clear and Load drop it.
    void SetSlotValue(int slot, char letter, double value);

    // --- Pens ------------------------------------------------------------------
    void SetPens(const std::array<ColorRef, kSlots> &colors, const std::array<std::int32_t, kSlots> &widths);

    // --- Mapping -----------------------------------------------------------------
    // Each returns false, changing nothing, where the scale would leave its bounds.
    bool Zoom(double fx, double fy);
    bool ZoomAbout(double px, double py, double fx, double fy);
    void Pan(int dx, int dy);
    void PanStep(int dirX, int dirY);
    void SquareUnits();
    void Center();
    void SetMapping(double scaleX, double scaleY, double panX, double panY);
    // Reads the four range texts; returns the messages to show.
    std::vector<SViewMessage> SetDomain(const std::array<std::string, 4> &fields);
    // Re-plot: autoscale (when on) and the typed range, as one step.
    std::vector<SViewMessage> RePlot(const std::array<std::string, 4> &fields);
    // A range field was edited: the next plot applies the fields.
    void MarkRangeEdited() { m_state.m_bRangeEdited = true; }
    // The four range texts that show the visible area (remembered, so
    // fields left as written do not move the view when applied).
    std::array<std::string, 4> RangeFieldTexts() const { return m_state.RangeFieldTexts(); }

    // --- Options (not undo steps: they are how the graph is viewed) -----------
    void SetShowGrid(bool on);
    void SetShowLegend(bool on);
    void SetAxisLabels(bool readable, bool piUnits);
    void ToggleAutoscale();

    // --- Results -------------------------------------------------------------------
    void Mark(EMarkSource source, std::vector<SGraphMark> marks);
    void Highlight(EMarkSource source, int row);
    // The shaded integral; nullopt removes it.
    void Shade(std::optional<SShading> shading);

    // --- Documents -------------------------------------------------------------
    // A record read from a file: its slots, pens, mapping and parameters, the
    // derivatives its flags ask for, its marks, shading and legend flag; the
    // history starts afresh.
    void Load(const EqStore &record);
    // File New: an empty, centred graph with a fresh history.
    void Reset();

    // --- Reading ---------------------------------------------------------------
    bool HasFunction(int slot) const;
    // f(x) of a slot (degree arguments when asked); NaN for an empty slot.
    double ValueAt(int slot, double x, bool degrees = false) const;

    // The steps of one gesture (a drag, a run of wheel notches or arrow
    // presses) share a nonzero number and merge into one undo step.
    void SetGesture(int gesture) { m_nGesture = gesture; }
    int Gesture() const { return m_nGesture; }
    // A number no gesture has had: the view's and the panels' gestures never merge.
    int NewGesture() { return ++m_nGestures; }
    bool IsRestoring() const { return m_bRestoring; }

    // Draws the graph on a painter over area at print scale k.
    void Draw(QPainter &p, const QRect &area, double k, const QColor &background, SRenderTiming *timing = nullptr);
    // Draws it in the device pixels of a dense screen: pans and pens scaled by dpr.
    void DrawDense(QPainter &p, const QRect &device, double dpr, const QColor &background);
    // The graph drawn off screen at a size, for export.
    SGraphPicture Picture(const QSize &size, const QColor &background);
    // The renderer bound to this graph, for pictures drawn part by part (printing).
    CGraphRenderer &Renderer() { return *m_pRenderer; }

    // Puts a remembered state back (undo and redo): only what the step changed.
    void Restore(const SViewSnapshot &from, const SViewSnapshot &to);
    SViewSnapshot Memento() const;

signals:
    void changed(GraphChanges what);

private:
    // Runs change on the state and records it as one undo step named by
    // what it changed (or name); emits changed when anything changed.
    template <class F> void Change(F &&change, const char *name = nullptr);
    void Record(SViewSnapshot before, const char *name);
    void DeriveInto(int slot);
    // Writes the table's values into every function and derivative.
    void ApplyParameters();
    // Every slot, derivative and result empty, nothing selected.
    void EmptyAll(bool recentre);
    static GraphChanges Compare(const SViewSnapshot &a, const SViewSnapshot &b);

    mutable CViewState m_state;  // evaluation caches its last value in the expressions
    QUndoStack m_undo;
    CGraphRenderer *m_pRenderer;
    int m_nGesture = 0;
    int m_nGestures = 0;
    bool m_bRestoring = false;
    bool m_bFirstPlot = true;
    std::array<std::vector<std::pair<char, double>>, kSlots> m_aSlotValues;  // the first plot of a run starts from an empty graph
};
