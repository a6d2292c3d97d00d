#pragma once

#include "core/analysis/Integration.h"

#include <QDialog>

#include <QPoint>

#include <array>
#include <cstdint>
#include <optional>

class QButtonGroup;
class QComboBox;
class QLineEdit;

// "Limited Intergration": the function, the limits, the width of the
// sub-intervals and the rule of one integration.
class CIntegrateDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CIntegrateDlg(QWidget *parent = nullptr);

    // Controls from the members; the function list up to its first empty
    // entry, entry m_nCurrent selected (the first when it names none).
    void OnInitDialog();
    // Controls into the members, with the range check of the width; false
    // (after the framework's message) keeps the dialog open.
    bool UpdateData();
    void accept() override;

    // The slot of the function chosen, -1 when the list is empty.
    int SelectedSlot() const { return m_nSelected; }

    QComboBox *FunctionList() const { return m_pFunctions; }
    QLineEdit *FromField() const { return m_pFrom; }
    QLineEdit *ToField() const { return m_pTo; }
    QLineEdit *DivisionsField() const { return m_pDivisions; }
    QButtonGroup *Rules() const { return m_pRules; }

    static constexpr double kMinDivisions = kMinIntegrationWidth;
    static constexpr double kMaxDivisions = kMaxIntegrationWidth;

    std::array<QString, 5> m_strFunctions;
    int m_nCurrent = 0;
    std::int16_t m_nSelected = 0;
    double m_dFrom = 0.0;
    double m_dTo = 0.0;
    double m_dDivisions = kDefaultIntegrationWidth;
    int m_nRule = static_cast<int>(kDefaultIntegrationRule);

protected:
    // Shown again (reversed limits), it keeps its place on the screen: the
    // window manager would otherwise put its frame one title bar lower.
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QComboBox *m_pFunctions = nullptr;
    QLineEdit *m_pFrom = nullptr;
    QLineEdit *m_pTo = nullptr;
    QLineEdit *m_pDivisions = nullptr;
    QButtonGroup *m_pRules = nullptr;
    std::optional<QPoint> m_place;  // the frame's place when last hidden
};
