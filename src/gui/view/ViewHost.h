#pragma once

#include <QColor>
#include <QString>

// What the graph view asks of the window around it (the main frame). Every
// operation has a harmless default, so the view works alone in tests.
class CViewHost
{
public:
    virtual ~CViewHost() = default;

    // The expression bar's range fields, by control id IDC_X_MIN .. IDC_Y_MAX.
    virtual QString RangeFieldText(int /*id*/) const { return {}; }
    virtual void SetRangeFieldText(int /*id*/, const QString & /*text*/) {}

    // Keyboard focus to the function list of the expression bar.
    virtual void FocusFunctionList() {}
    // Selects `length` characters of the function list's edit text from `start`.
    virtual void SelectFunctionListText(int /*start*/, int /*length*/) {}

    // Shows or hides the trace bar (ID_TRACE) or the tangent bar
    // (ID_TANGENT). The view calls it when the zoom-area command switches trace
    // mode on or off.
    virtual void SetBarVisible(int /*commandId*/, bool /*visible*/) {}

    // Called once, from the event loop just after the view's first paint:
    // the place for the splash window.
    virtual void OnFirstPaint() {}

    // The function list of the expression bar (combo box 101): the text of
    // its edit part and its entries.
    virtual QString FunctionListText() const { return {}; }
    virtual void SetFunctionListText(const QString & /*text*/) {}
    virtual int FunctionListCount() const { return 0; }
    virtual void AppendFunctionListEntry(const QString & /*text*/) {}
    // An index at or past the end appends.
    virtual void InsertFunctionListEntry(int /*index*/, const QString & /*text*/) {}
    virtual void RemoveFunctionListEntry(int /*index*/) {}
    // Removes every entry and empties the edit part.
    virtual void ClearFunctionList() {}
    // Makes an entry the current one without reporting it back as a choice.
    virtual void SelectFunctionListEntry(int /*index*/) {}

    // The read-only derivative field (IDC_DERIVATIVE).
    virtual void SetDerivativeText(const QString & /*text*/) {}

    // The colour indicator (IDC_COLOR_INDICATOR) beside the function list.
    virtual void SetIndicatorColor(const QColor & /*color*/) {}

    // The trace bar's "Degree" box follows a function's coded text: shown
    // only when it holds one of the trigonometric codes A .. F.
    virtual void UpdateDegreeOption(const QString & /*codedText*/) {}

    // The trace bar: the mouse position label (1016) and the direct
    // function trace's result field (1046).
    virtual void SetTracePositionText(const QString & /*text*/) {}
    virtual void SetTraceResultText(const QString & /*text*/) {}
    // The tangent bar's labels, by control id 1016 .. 1020.
    virtual void SetTangentBarText(int /*id*/, const QString & /*text*/) {}
    // The frame's flags for the trace bar: "Scientific" checked, "Degree"
    // checked, and the selected function trigonometric ("Degree" shown).
    virtual bool IsScientific() const { return false; }
    virtual bool IsDegree() const { return false; }
    virtual bool IsTrigonometric() const { return false; }

    // A passing note in the status bar.
    virtual void ShowStatusText(const QString & /*text*/) {}

    // The document's new-document flag: Clear Graph does not recentre while
    // it is set.
    virtual bool IsNewDocument() const { return false; }
};
