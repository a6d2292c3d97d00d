#include "gui/app/FrameTestSupport.h"
#include "gui/view/CommandIds.h"
#include "gui/view/CorvantaView.h"

#include <QDockWidget>
#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>

namespace {

using FrameFit = FrameFixture;

TEST_F(FrameFit, FitsSmallScreensAndTheZoomBarOnlyFloats)
{
    EXPECT_LE(m_pFrame->minimumSizeHint().width(), 800);
    m_pFrame->resize(800, 600);
    ShowFrame();
    EXPECT_LE(m_pFrame->width(), 800);
    QDockWidget *pZoom = m_pFrame->ZoomBar();
    EXPECT_TRUE(pZoom->isFloating());
    EXPECT_FALSE(pZoom->features() & QDockWidget::DockWidgetFloatable);
    // Nothing polls while the program is idle.
    for (QTimer *pTimer : m_pFrame->findChildren<QTimer *>())
        EXPECT_FALSE(pTimer->isActive()) << pTimer->interval();
}

TEST_F(FrameFit, RangeFieldsKeepLongNumbersWholeAndShowTheirStart)
{
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    m_pFrame->SetRangeFieldText(IDC_X_MIN, "-1e70");
    m_pFrame->SetRangeFieldText(IDC_X_MAX, "1e70");
    pView->m_bRangeEdited = true;
    pView->RePlot();
    const double scale = pView->m_dScaleX;
    auto *pMin = qobject_cast<QLineEdit *>(m_pFrame->ExpressionBarControl(IDC_X_MIN));
    EXPECT_EQ(pMin->cursorPosition(), 0);
    EXPECT_GT(pMin->text().size(), 70);
    // Applying the fields as they now stand changes nothing.
    pView->m_bRangeEdited = true;
    pView->RePlot();
    EXPECT_EQ(pView->m_dScaleX, scale);
}

TEST_F(FrameFit, AZoomStepBeyondTheScaleLimitSaysSoAndChangesNothing)
{
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    pView->m_dScaleX = pView->m_dScaleY = CCorvantaView::kMaxScale;
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_IN));
    EXPECT_EQ(pView->m_dScaleX, CCorvantaView::kMaxScale);
    EXPECT_FALSE(m_pFrame->statusBar()->currentMessage().isEmpty());
}

}  // namespace
