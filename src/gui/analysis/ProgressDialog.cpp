#include "gui/analysis/ProgressDialog.h"



namespace {
constexpr int kShowAfterMs = 300;
constexpr int kSteps = 1000;
}

CProgressDialog::CProgressDialog(QWidget *parent, const QString &label)
    : m_dialog(std::make_unique<QProgressDialog>(label, QProgressDialog::tr("Cancel"), 0, kSteps, parent))
{
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(kShowAfterMs);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

CProgressDialog::~CProgressDialog() = default;

ProgressCallback CProgressDialog::Callback()
{
    return [this](double fraction) {
        // setValue shows the window once the minimum duration has passed and
        // processes events while it is shown, so Cancel can be clicked.
        m_dialog->setValue(static_cast<int>(fraction * kSteps));
        return !m_dialog->wasCanceled();
    };
}

bool CProgressDialog::WasCanceled() const { return m_dialog->wasCanceled(); }
