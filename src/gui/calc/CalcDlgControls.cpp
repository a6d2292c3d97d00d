#include "gui/calc/CalcDlg.h"

#include "gui/calc/CalcButton.h"
#include "gui/common/CommandIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>

// The calculator's controls: the expression, the LCD display, the keypad and
// the groups beside it, each registered under its control id.

namespace {

const QColor kDisplayBackground(2, 35, 24);
const QColor kDisplayText(148, 230, 141);
const QColor kReasonText(176, 0, 0);

}  // namespace

void CCalcDlg::CreateControls()
{
    auto *pLayout = new QGridLayout(this);
    pLayout->setContentsMargins(8, 4, 8, 8);
    pLayout->setSpacing(6);
    setSizeGripEnabled(true);

    auto *pMenuBar = new QMenuBar(this);
    QMenu *pMenu = pMenuBar->addMenu(tr("&Edit"));
    QAction *pCopy = pMenu->addAction(tr("&Copy"));
    pCopy->setObjectName(QStringLiteral("calcCopy"));
    connect(pCopy, &QAction::triggered, this, [this] { OnCommand(ID_CALC_COPY); });
    pLayout->setMenuBar(pMenuBar);

    m_pExpression = new QTextEdit(this);
    m_pExpression->setAcceptRichText(false);
    m_pExpression->setFixedHeight(56);
    m_pExpression->installEventFilter(this);
    m_controls.insert(IDC_CALC_EXPRESSION, m_pExpression);
    pLayout->addWidget(m_pExpression, 0, 0, 1, 2);

    m_pDisplay = new QLabel(QStringLiteral("0. "), this);
    m_lcdFont = QFont(QStringLiteral("DSEG7 Classic"));
    m_lcdFont.setStyleHint(QFont::Monospace);  // any monospaced face when the LCD font is missing
    m_lcdFont.setPixelSize(30);
    m_plainFont = QFont(QStringLiteral("Liberation Mono"));
    m_plainFont.setStyleHint(QFont::Monospace);
    m_plainFont.setPixelSize(28);
    m_pDisplay->setFont(m_lcdFont);
    m_pDisplay->setAutoFillBackground(true);
    QPalette palette = m_pDisplay->palette();
    palette.setColor(QPalette::Window, kDisplayBackground);
    palette.setColor(QPalette::WindowText, kDisplayText);
    m_pDisplay->setPalette(palette);
    m_pDisplay->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pDisplay->setMargin(4);
    m_pDisplay->setTextInteractionFlags(Qt::NoTextInteraction);
    m_controls.insert(IDC_CALC_DISPLAY, m_pDisplay);
    // A long result (60 binary digits) scrolls instead of widening the window.
    auto *pScroll = new QScrollArea(this);
    pScroll->setWidget(m_pDisplay);
    pScroll->setWidgetResizable(true);
    pScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    pScroll->setFrameShape(QFrame::NoFrame);
    pScroll->setFixedHeight(46 + pScroll->horizontalScrollBar()->sizeHint().height());
    pScroll->setMinimumWidth(100);

    m_pReason = new QLabel(this);
    m_pReason->setObjectName(QStringLiteral("calcReason"));
    QPalette reason = m_pReason->palette();
    reason.setColor(QPalette::WindowText, kReasonText);
    m_pReason->setPalette(reason);
    m_pReason->setWordWrap(true);
    m_pReason->setMinimumHeight(m_pReason->fontMetrics().height());  // the keypad stays put
    auto *pDisplayBox = new QWidget(this);
    auto *pDisplayLayout = new QVBoxLayout(pDisplayBox);
    pDisplayLayout->setContentsMargins(0, 0, 0, 0);
    pDisplayLayout->setSpacing(2);
    pDisplayLayout->addWidget(pScroll);
    pDisplayLayout->addWidget(m_pReason);
    pLayout->addWidget(pDisplayBox, 1, 0, 1, 2);

    pLayout->addWidget(CreateKeypad(), 2, 0, 3, 1);
    pLayout->addWidget(CreateMemoryGroup(), 2, 1);
    pLayout->addWidget(CreateSubstitutionGroup(), 3, 1);
    auto *pRow = new QWidget(this);
    auto *pRowLayout = new QHBoxLayout(pRow);
    pRowLayout->setContentsMargins(0, 0, 0, 0);
    pRowLayout->addWidget(CreateBaseGroup());
    pRowLayout->addWidget(CreateModeGroup());
    pLayout->addWidget(pRow, 4, 1);
    pLayout->addWidget(CreateCoordinateGroup(), 5, 0, 1, 2);
}

QWidget *CCalcDlg::AddButton(int nId, const QString &strCaption, bool bKeypad)
{
    QPushButton *pButton = bKeypad ? new CCalcButton(strCaption, this) : new QPushButton(strCaption, this);
    pButton->setAutoDefault(false);
    pButton->setObjectName(QStringLiteral("calc%1").arg(nId));
    connect(pButton, &QPushButton::clicked, this, [this, nId] { OnCommand(nId); });
    m_controls.insert(nId, pButton);
    return pButton;
}

QWidget *CCalcDlg::CreateKeypad()
{
    auto *pPanel = new QWidget(this);
    auto *pGrid = new QGridLayout(pPanel);
    pGrid->setContentsMargins(0, 0, 0, 0);
    pGrid->setSpacing(3);
    struct SKey {
        int nId;
        const char *pszCaption;
    };
    // clang-format off
    const SKey rows[6][7] = {
        {{IDC_CALC_SIN, "sin"}, {IDC_CALC_COS, "cos"}, {IDC_CALC_TAN, "tan"}, {IDC_CALC_4 + 3, "7"}, {IDC_CALC_4 + 4, "8"}, {IDC_CALC_4 + 5, "9"}, {IDC_CALC_DIVIDE, "/"}},
        {{IDC_CALC_SEC, "sec"}, {IDC_CALC_CSC, "csc"}, {IDC_CALC_COT, "cot"}, {IDC_CALC_4, "4"}, {IDC_CALC_4 + 1, "5"}, {IDC_CALC_4 + 2, "6"}, {IDC_CALC_TIMES, "*"}},
        {{IDC_CALC_LOG, "log"}, {IDC_CALC_LN, "ln"}, {IDC_CALC_TEN_POWER, "x10^"}, {IDC_CALC_1, "1"}, {IDC_CALC_2, "2"}, {IDC_CALC_3, "3"}, {IDC_CALC_MINUS, "-"}},
        {{IDC_CALC_SQUARE, "x^2"}, {IDC_CALC_CUBE, "x^3"}, {IDC_CALC_RECIPROCAL, "1/x"}, {IDC_CALC_0, "0"}, {IDC_CALC_POINT, "."}, {IDC_CALC_PI, "&PI"}, {IDC_CALC_PLUS, "+"}},
        {{IDC_CALC_POWER, "x ^ y"}, {IDC_CALC_FACTORIAL, "!n"}, {IDC_CALC_NPR, "nPr"}, {IDC_CALC_NCR, "nCr"}, {IDC_CALC_OPEN, "("}, {IDC_CALC_CLOSE, ")"}, {IDC_CALC_EQUALS, "="}},
        {{IDC_CALC_DMS, "D\u00B0M'S\""}, {IDC_CALC_CLEAR, "&C"}, {IDC_CALC_STORE, "&M"}, {IDC_CALC_STORE_EXPRESSION, "M&F"}, {0, nullptr}, {0, nullptr}, {0, nullptr}},
    };
    // clang-format on
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c) {
            const SKey &key = rows[r][c];
            if (!key.pszCaption)
                continue;
            QWidget *pButton = AddButton(key.nId, QString::fromUtf8(key.pszCaption));
            pButton->setMinimumSize(44, 30);
            pGrid->addWidget(pButton, r, c);
        }
    return pPanel;
}

QWidget *CCalcDlg::CreateMemoryGroup()
{
    auto *pGroup = new QGroupBox(tr("Memory"), this);
    auto *pGrid = new QGridLayout(pGroup);
    m_pMemory = new QComboBox(pGroup);
    m_pMemory->setEditable(true);
    m_pMemory->setInsertPolicy(QComboBox::NoInsert);
    m_pMemory->setMinimumWidth(160);
    m_controls.insert(IDC_CALC_MEMORY, m_pMemory);
    pGrid->addWidget(m_pMemory, 0, 0, 1, 2);

    auto *pRecall = static_cast<QPushButton *>(AddButton(IDC_CALC_RECALL, QString(QChar(0x21D1)), false));
    QFont arrow = pRecall->font();
    arrow.setPixelSize(40);
    arrow.setWeight(QFont::Black);
    pRecall->setFont(arrow);
    pRecall->setFixedSize(46, 58);
    pRecall->setFocusPolicy(Qt::NoFocus);
    pRecall->setToolTip(tr("Recall"));
    pGrid->addWidget(pRecall, 0, 2, 2, 1);
    pGrid->addWidget(AddButton(IDC_CALC_CLEAR_ITEM, tr("Clear Item"), false), 1, 0);
    pGrid->addWidget(AddButton(IDC_CALC_CLEAR_ALL, tr("Clear All"), false), 1, 1);
    return pGroup;
}

QWidget *CCalcDlg::CreateSubstitutionGroup()
{
    auto *pGroup = new QGroupBox(tr("Substitution"), this);
    auto *pGrid = new QGridLayout(pGroup);
    m_pFunction = new QComboBox(pGroup);
    m_pFunction->setMinimumWidth(160);
    m_controls.insert(IDC_CALC_FUNCTION, m_pFunction);
    m_pXValue = new QComboBox(pGroup);
    m_pXValue->setEditable(true);
    m_pXValue->setInsertPolicy(QComboBox::NoInsert);
    m_pXValue->setCompleter(nullptr);  // typing 2 must not become an earlier 2e20
    m_controls.insert(IDC_CALC_X_VALUE, m_pXValue);
    pGrid->addWidget(new QLabel(QStringLiteral("F(x)="), pGroup), 0, 0);
    pGrid->addWidget(m_pFunction, 0, 1, 1, 2);
    pGrid->addWidget(new QLabel(QStringLiteral("X = "), pGroup), 1, 0);
    pGrid->addWidget(m_pXValue, 1, 1);
    pGrid->addWidget(AddButton(IDC_CALC_CLEAR_VALUES, tr("Clear")), 1, 2);
    pGrid->addWidget(AddButton(IDC_CALC_SUBSTITUTE, tr("Substitute"), false), 2, 1, 1, 2);
    QWidget *pAdd = AddButton(IDC_CALC_ADD_VALUE, tr("Add Value"), false);
    pAdd->hide();
    return pGroup;
}

QWidget *CCalcDlg::CreateBaseGroup()
{
    auto *pGroup = new QGroupBox(tr("Base System"), this);
    auto *pGrid = new QGridLayout(pGroup);
    const struct {
        int nId;
        const char *pszLabel;
    } fields[] = {{IDC_CALC_BASE_FROM, "From"}, {IDC_CALC_BASE_TO, "To"}};
    for (int i = 0; i < 2; ++i) {
        auto *pEdit = new QLineEdit(QStringLiteral("10"), pGroup);
        pEdit->setObjectName(QStringLiteral("calc%1").arg(fields[i].nId));
        pEdit->setMaximumWidth(50);
        m_controls.insert(fields[i].nId, pEdit);
        pGrid->addWidget(new QLabel(tr(fields[i].pszLabel), pGroup), i, 0);
        pGrid->addWidget(pEdit, i, 1);
    }
    return pGroup;
}

QWidget *CCalcDlg::CreateModeGroup()
{
    auto *pGroup = new QGroupBox(this);
    auto *pGrid = new QGridLayout(pGroup);
    auto *pDeg = new QRadioButton(tr("Deg"), pGroup);
    auto *pRad = new QRadioButton(tr("Rad"), pGroup);
    pDeg->setChecked(true);
    auto *pInv = new QCheckBox(tr("Inv"), pGroup);
    auto *pHyp = new QCheckBox(tr("Hyp"), pGroup);
    const std::pair<int, QWidget *> controls[] = {
        {IDC_CALC_DEG, pDeg}, {IDC_CALC_RAD, pRad}, {IDC_CALC_INV, pInv}, {IDC_CALC_HYP, pHyp}};
    for (const auto &[nId, pWidget] : controls) {
        pWidget->setObjectName(QStringLiteral("calc%1").arg(nId));
        pWidget->setFocusPolicy(Qt::NoFocus);
        m_controls.insert(nId, pWidget);
    }
    pGrid->addWidget(pDeg, 0, 0);
    pGrid->addWidget(pRad, 1, 0);
    pGrid->addWidget(pInv, 0, 1);
    pGrid->addWidget(pHyp, 1, 1);
    return pGroup;
}

QWidget *CCalcDlg::CreateCoordinateGroup()
{
    auto *pGroup = new QGroupBox(tr("Coordinates"), this);
    auto *pGrid = new QGridLayout(pGroup);
    const int ids[] = {IDC_CALC_COORD_IN1, IDC_CALC_COORD_IN2, IDC_CALC_COORD_OUT1, IDC_CALC_COORD_OUT2};
    for (int i = 0; i < 4; ++i) {
        auto *pEdit = new QLineEdit(pGroup);
        pEdit->setObjectName(QStringLiteral("calc%1").arg(ids[i]));
        pEdit->setReadOnly(i >= 2);
        m_controls.insert(ids[i], pEdit);
    }
    pGrid->addWidget(m_controls.value(IDC_CALC_COORD_IN1), 0, 0);
    pGrid->addWidget(m_controls.value(IDC_CALC_COORD_IN2), 0, 1);
    pGrid->addWidget(AddButton(IDC_CALC_RECT_TO_POLAR, QStringLiteral("Rect => Angl"), false), 0, 2);
    pGrid->addWidget(m_controls.value(IDC_CALC_COORD_OUT1), 1, 0);
    pGrid->addWidget(m_controls.value(IDC_CALC_COORD_OUT2), 1, 1);
    pGrid->addWidget(AddButton(IDC_CALC_POLAR_TO_RECT, QStringLiteral("Angl => Rect"), false), 1, 2);
    return pGroup;
}
