#pragma once

#include <QString>

// What the graph view asks of the window around it (the main frame). Every
// operation has a harmless default, so the view works alone in tests.
class CViewHost
{
public:
    virtual ~CViewHost() = default;

    // The expression bar's range fields, by control id 1050..1053.
    virtual QString RangeFieldText(int /*id*/) const { return {}; }
    virtual void SetRangeFieldText(int /*id*/, const QString & /*text*/) {}

    // Keyboard focus to the function list of the expression bar.
    virtual void FocusFunctionList() {}

    // Shows or hides the trace bar (command id 32774) or the tangent bar
    // (32823). The view calls it when the zoom-area command switches trace
    // mode on or off.
    virtual void SetBarVisible(int /*commandId*/, bool /*visible*/) {}

    // Called once, from the event loop just after the view's first paint:
    // the place for the splash window.
    virtual void OnFirstPaint() {}

    // Called at the end of every redraw and paint of the view, so the view
    // and the document can be brought into step.
    virtual void SyncDocument() {}
};
