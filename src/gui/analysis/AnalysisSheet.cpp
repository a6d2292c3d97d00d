#include "gui/analysis/AnalysisSheet.h"

#include "core/plot/ViewState.h"
#include "gui/analysis/ExtremaPage.h"
#include "gui/analysis/InflectionPage.h"
#include "gui/analysis/IntersectionsPage.h"
#include "gui/analysis/RootsPage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CAnalysisSheet::CAnalysisSheet(const SAnalysisInput &input, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Function Analysis"));
    auto *pLayout = new QVBoxLayout(this);
    m_pTabs = new QTabWidget(this);
    // Four titles: the sheet grows to show them all rather than scroll them.
    m_pTabs->setUsesScrollButtons(false);
    m_aPages = {new CSolve(m_pTabs), new CCrit(m_pTabs), new CInflex(m_pTabs), new CIntersect(m_pTabs)};
    for (CAnalysisPage *pPage : m_aPages) {
        pPage->Initialise(input);
        m_pTabs->addTab(pPage, pPage->Title());
    }
    pLayout->addWidget(m_pTabs);
    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pLayout->addWidget(m_pButtons);
    CancelToClose();

    // Enter presses the Calculate button of the page in front.
    const auto makeDefault = [this](int index) {
        for (int i = 0; i < static_cast<int>(m_aPages.size()); ++i)
            m_aPages[i]->CalculateButton()->setDefault(i == index);
    };
    connect(m_pTabs, &QTabWidget::currentChanged, this, makeDefault);
    m_pTabs->setCurrentIndex(0);
    makeDefault(0);
}

void CAnalysisSheet::CancelToClose()
{
    m_pButtons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Close"));
    m_pButtons->button(QDialogButtonBox::Ok)->setAutoDefault(false);
    m_pButtons->button(QDialogButtonBox::Cancel)->setEnabled(false);
    m_pButtons->button(QDialogButtonBox::Cancel)->setAutoDefault(false);
}

std::pair<double, double> CAnalysisSheet::GraphDomain(int screenWidth, double scaleX, int panX)
{
    const double unit = CViewState::kUnit * scaleX;
    const double half = (screenWidth / 2 + 5) / unit;
    const double centre = -panX / unit;
    return {centre - half, centre + half};
}

SAnalysisInput CAnalysisSheet::InputFromView(const CViewState &view, int screenWidth)
{
    SAnalysisInput input;
    // Every dialog starts on the selected function; the pages list only the
    // used slots, so it is named by its position among them.
    int shown = 0;
    for (int i = 0; i <= view.m_nLast && i < CViewState::kSlots; ++i)
        if (!view.m_aFunctions[i].m_strCoded.empty()) {
            input.functions[i] = QString::fromStdString(view.m_aFunctions[i].m_strText);
            if (i == view.m_nSelected)
                input.current = shown;
            ++shown;
        }
    std::tie(input.graphMin, input.graphMax) = GraphDomain(screenWidth, view.m_dScaleX, view.m_nPanX);
    return input;
}
