#pragma once

#include "gui/analysis/AnalysisPage.h"

#include <QDialog>

#include <array>
#include <utility>

class CViewState;
class QDialogButtonBox;
class QTabWidget;

// "Function Analysis": the roots, extrema, inflection and intersection pages
// in tabs. It opens in its "close" state (OK reads Close, Cancel is
// disabled), as its pages only show results and have nothing to apply.
class CAnalysisSheet : public QDialog
{
    Q_OBJECT
public:
    CAnalysisSheet(const SAnalysisInput &input, QWidget *parent = nullptr);

    // The x range a view as wide as the screen shows, five pixels wider on
    // each side: what the graph-domain mode searches.
    static std::pair<double, double> GraphDomain(int screenWidth, double scaleX, int panX);
    // The function texts of the used slots and the view's current index.
    static SAnalysisInput InputFromView(const CViewState &view, int screenWidth);

    QTabWidget *Tabs() const { return m_pTabs; }
    CAnalysisPage *Page(int i) const { return m_aPages[i]; }
    QDialogButtonBox *Buttons() const { return m_pButtons; }

private:
    void CancelToClose();

    QTabWidget *m_pTabs = nullptr;
    std::array<CAnalysisPage *, 4> m_aPages{};
    QDialogButtonBox *m_pButtons = nullptr;
};
