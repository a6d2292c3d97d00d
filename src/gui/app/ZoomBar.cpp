#include "gui/app/ZoomBar.h"

#include "gui/app/CommandTable.h"
#include "gui/common/CommandIds.h"

#include <QGridLayout>
#include <QToolButton>

CZoomBar::CZoomBar(QWidget *parent, const std::function<QAction *(int)> &action)
    : QDockWidget(QStringLiteral("Zoom"), parent)
{
    setObjectName(QStringLiteral("bar%1").arg(IDR_ZOOM_TOOLBAR));
    // It only floats.
    setAllowedAreas(Qt::NoDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    auto *pPanel = new QWidget(this);
    auto *pGrid = new QGridLayout(pPanel);
    pGrid->setContentsMargins(3, 3, 3, 3);
    pGrid->setSpacing(1);
    pGrid->setAlignment(Qt::AlignCenter);
    int nIndex = 0;
    for (int nId : ZoomToolbarLayout()) {
        auto *pButton = new QToolButton(pPanel);
        pButton->setObjectName(QStringLiteral("zoom%1").arg(nId));
        pButton->setDefaultAction(action(nId));
        pButton->setAutoRaise(true);
        pButton->setIconSize(QSize(16, 16));
        pButton->setFocusPolicy(Qt::NoFocus);
        // Two columns: the row ends after the buttons at 1, 3, 5, 7 and 9.
        pGrid->addWidget(pButton, nIndex / 2, nIndex % 2);
        m_buttons.insert(nId, pButton);
        ++nIndex;
    }
    // Just wide enough for the two columns and the title "Zoom" with its buttons.
    const int nTitle = fontMetrics().horizontalAdvance(windowTitle()) + 52;
    pPanel->setFixedSize(qMax(pGrid->sizeHint().width(), nTitle), pGrid->sizeHint().height());
    setWidget(pPanel);
}

void CZoomBar::KeepFloating()
{
    setFloating(true);
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool bFloating) {
        if (!bFloating)
            setFloating(true);
    });
}
