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
};
