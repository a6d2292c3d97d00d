#pragma once

#include "core/analysis/PointsTable.h"

#include <QDialog>

class QLineEdit;

// "Settings of Points Table": the domain and increment of the points table.
// One lives for the whole run, so the confirmed values carry over.
class CTableSettingsDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CTableSettingsDlg(QWidget *parent = nullptr);

    // Controls from the members.
    void OnInitDialog();
    // OK: closes only on good values, which become the confirmed ones;
    // otherwise every refusal is shown and the dialog stays open.
    void accept() override;
    // Cancel: the confirmed values come back; nothing is left behind.
    void reject() override;

    // The values the table uses.
    STableSettings Confirmed() const { return {m_dTableFrom, m_dTableTo, m_dTableIncrement}; }

    QLineEdit *FromField() const { return m_pFrom; }
    QLineEdit *ToField() const { return m_pTo; }
    QLineEdit *IncrementField() const { return m_pIncrement; }

    double m_dFrom = -20.0;
    double m_dTo = 20.0;
    double m_dIncrement = 0.5;
    double m_dTableFrom = -20.0;
    double m_dTableTo = 20.0;
    double m_dTableIncrement = 0.5;

private:
    QLineEdit *m_pFrom = nullptr;
    QLineEdit *m_pTo = nullptr;
    QLineEdit *m_pIncrement = nullptr;
};
