#pragma once

#include "core/analysis/Progress.h"

#include <QProgressDialog>

#include <memory>

class QWidget;

// A progress window with Cancel for a long computation on the user-interface
// thread. It stays hidden for the first 300 ms, so quick work shows nothing;
// while it is up, each report keeps the window responsive.
class CProgressDialog
{
public:
    CProgressDialog(QWidget *parent, const QString &label);
    ~CProgressDialog();

    // The callback to hand to the engine; false once Cancel was pressed.
    ProgressCallback Callback();
    bool WasCanceled() const;

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};
