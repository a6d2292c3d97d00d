#include "gui/analysis/AnalysisPage.h"

#include "core/analysis/AnalysisMarks.h"
#include "core/deriv/Derivative.h"
#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"
#include "gui/common/Message.h"
#include "gui/common/UserPrompts.h"
#include "gui/view/NumberField.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kFunctionCombo = 1006;
constexpr int kToStatic = 1011;
constexpr int kStep3Label = 1012;
constexpr int kResultLabel = 1014;
constexpr int kCalculate = 1008;

const char *const kDomainStep3 = "3- Specify domain :     From";
const char *const kNearStep3 = "3- Specify a nearby point :";
const char *const kAccuracyPrefix = "4- The accuracy of an approximation : ";
const char *const kAccuracyText = "4- The accuracy of an approximation :                 decimal places.";

QString Name(int nId) { return QStringLiteral("ctl%1").arg(nId); }

// The wait cursor for as long as a search runs.
struct SWaitCursor
{
    SWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~SWaitCursor() { QApplication::restoreOverrideCursor(); }
    SWaitCursor(const SWaitCursor &) = delete;
    SWaitCursor &operator=(const SWaitCursor &) = delete;
};

// Keeps the decimal-places edit and its arrows over the blank run of the
// accuracy label, wherever the label is laid out.
class CInsetPlacer : public QObject
{
public:
    CInsetPlacer(QLabel *pLabel, QWidget *pInset) : QObject(pLabel), m_pLabel(pLabel), m_pInset(pInset)
    {
        pLabel->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show || event->type() == QEvent::FontChange)
            Place();
        return false;
    }

private:
    void Place()
    {
        const QFontMetrics fm(m_pLabel->font());
        const int left = fm.horizontalAdvance(QString::fromLatin1(kAccuracyPrefix));
        const QSize size = m_pInset->sizeHint();
        m_pInset->setGeometry(left, (m_pLabel->height() - size.height()) / 2, size.width(), size.height());
    }

    QLabel *m_pLabel;
    QWidget *m_pInset;
};

}  // namespace

CAnalysisPage::CAnalysisPage(const SPageControls &controls, QWidget *parent)
    : QWidget(parent), m_controls(controls), m_texts(AnalysisTexts(controls.kind))
{
    BuildControls();
    UpdateData(false);
}

void CAnalysisPage::BuildControls()
{
    auto *pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel(m_controls.function2Id ? QStringLiteral("1- Select two equations :")
                                                         : QStringLiteral("1- Select an equation :"),
                                  this));
    const auto addChooser = [this, pLayout](int nId) {
        auto *pFunctionRow = new QHBoxLayout;
        pFunctionRow->addSpacing(16);
        pFunctionRow->addWidget(new QLabel(QStringLiteral("y="), this));
        auto *pChooser = new QComboBox(this);
        pChooser->setObjectName(Name(nId));
        pChooser->setMinimumWidth(300);
        pFunctionRow->addWidget(pChooser, 1);
        pLayout->addLayout(pFunctionRow);
        return pChooser;
    };
    m_pFunction = addChooser(kFunctionCombo);
    if (m_controls.function2Id)
        m_pFunction2 = addChooser(m_controls.function2Id);

    pLayout->addWidget(new QLabel(QString::fromLatin1(m_texts.searchLabel), this));
    const char *const modeTexts[] = {"in a specific domain (intermediate in accuracy and time).",
                                     "in the graph domain (good at zoom in cases).", "near a point (most accuracy)."};
    for (int i = 0; i < 3; ++i) {
        m_aModes[i] = new QRadioButton(QString::fromLatin1(modeTexts[i]), this);
        m_aModes[i]->setObjectName(Name(m_controls.modeIds[i]));
        auto *pRow = new QHBoxLayout;
        pRow->addSpacing(16);
        pRow->addWidget(m_aModes[i]);
        pLayout->addLayout(pRow);
    }
    connect(m_aModes[0], &QRadioButton::clicked, this, &CAnalysisPage::OnSpecificDomain);
    connect(m_aModes[1], &QRadioButton::clicked, this, &CAnalysisPage::OnGraphDomain);
    connect(m_aModes[2], &QRadioButton::clicked, this, &CAnalysisPage::OnNearPoint);

    auto *pDomainRow = new QHBoxLayout;
    m_pStep3 = new QLabel(QString::fromLatin1(m_texts.step3Text), this);
    m_pStep3->setObjectName(Name(kStep3Label));
    m_pFrom = new QLineEdit(this);
    m_pFrom->setObjectName(Name(m_controls.fromId));
    m_pToLabel = new QLabel(QStringLiteral("To "), this);
    m_pToLabel->setObjectName(Name(kToStatic));
    m_pTo = new QLineEdit(this);
    m_pTo->setObjectName(Name(m_controls.toId));
    for (QLineEdit *pEdit : {m_pFrom, m_pTo})
        pEdit->setFixedWidth(110);
    pDomainRow->addWidget(m_pStep3);
    pDomainRow->addWidget(m_pFrom);
    pDomainRow->addWidget(m_pToLabel);
    pDomainRow->addWidget(m_pTo);
    pDomainRow->addStretch(1);
    pLayout->addLayout(pDomainRow);

    auto *pAccuracyLabel = new QLabel(QString::fromLatin1(kAccuracyText), this);
    pAccuracyLabel->setMinimumHeight(26);
    auto *pInset = new QWidget(pAccuracyLabel);
    auto *pInsetLayout = new QHBoxLayout(pInset);
    pInsetLayout->setContentsMargins(0, 0, 0, 0);
    pInsetLayout->setSpacing(0);
    m_pAccuracy = new QLineEdit(pInset);
    m_pAccuracy->setObjectName(Name(m_controls.accuracyId));
    m_pAccuracy->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_pAccuracy));
    m_pAccuracy->setFixedWidth(32);
    m_pAccuracy->setAlignment(Qt::AlignRight);
    pInsetLayout->addWidget(m_pAccuracy);
    auto *pArrows = new QWidget(pInset);
    pArrows->setObjectName(Name(m_controls.upDownId));
    auto *pArrowLayout = new QVBoxLayout(pArrows);
    pArrowLayout->setContentsMargins(0, 0, 0, 0);
    pArrowLayout->setSpacing(0);
    for (const int delta : {1, -1}) {
        auto *pArrow = new QToolButton(pArrows);
        pArrow->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
        pArrow->setObjectName(delta > 0 ? QStringLiteral("up") : QStringLiteral("down"));
        pArrow->setFixedSize(16, 11);
        pArrow->setAutoRepeat(true);
        pArrow->setFocusPolicy(Qt::NoFocus);
        connect(pArrow, &QToolButton::clicked, this, [this, delta] { StepAccuracy(delta); });
        pArrowLayout->addWidget(pArrow);
    }
    pInsetLayout->addWidget(pArrows);
    new CInsetPlacer(pAccuracyLabel, pInset);
    pLayout->addWidget(pAccuracyLabel);

    m_pList = new QListWidget(this);
    m_pList->setObjectName(Name(m_controls.listId));
    m_pList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_pList->setMinimumHeight(150);
    connect(m_pList, &QListWidget::currentRowChanged, this, &CAnalysisPage::OnRowChanged);
    m_pResultBox = new QGroupBox(this);
    auto *pBoxLayout = new QVBoxLayout(m_pResultBox);
    if (m_controls.resultGroup) {
        m_pResultBox->setTitle(QStringLiteral("Result"));
        m_pResultLabel = new QLabel(QString::fromLatin1(m_texts.resultText), m_pResultBox);
        m_pResultLabel->setObjectName(Name(kResultLabel));
        pBoxLayout->addWidget(m_pResultLabel);
    } else {
        // The group's own caption is the result label here.
        m_pResultBox->setObjectName(Name(kResultLabel));
        m_pResultBox->setTitle(QString::fromLatin1(m_texts.resultText));
    }
    if (m_texts.columnHeads) {
        auto *pHeads = new QLabel(QString::fromLatin1(m_texts.columnHeads), m_pResultBox);
        pHeads->setFont(m_pList->font());
        pBoxLayout->addWidget(pHeads);
    }
    pBoxLayout->addWidget(m_pList);
    pLayout->addWidget(m_pResultBox, 1);

    m_pCalculate = new QPushButton(QStringLiteral("Calculate"), this);
    m_pCalculate->setObjectName(Name(kCalculate));
    m_pCalculate->setAutoDefault(true);
    connect(m_pCalculate, &QPushButton::clicked, this, &CAnalysisPage::OnCalculate);
    auto *pButtonRow = new QHBoxLayout;
    pButtonRow->addStretch(1);
    pButtonRow->addWidget(m_pCalculate);
    pLayout->addLayout(pButtonRow);
}

void CAnalysisPage::Initialise(const SAnalysisInput &input)
{
    m_strFunctions = input.functions;
    m_nCurrent = input.current;
    m_dGraphMin = input.graphMin;
    m_dGraphMax = input.graphMax;
    m_showMarks = input.showMarks;
    m_highlightMark = input.highlightMark;
    m_parameters = input.parameters;
    m_pFunction->clear();
    m_aSlots.clear();
    for (int i = 0; i < static_cast<int>(m_strFunctions.size()); ++i)
        if (!m_strFunctions[i].isEmpty()) {
            m_pFunction->addItem(m_strFunctions[i]);
            m_aSlots.push_back(i);
        }
    // By position among the entries shown, as the list has no gaps.
    m_pFunction->setCurrentIndex(m_nCurrent < m_pFunction->count() ? m_nCurrent : -1);
    m_strFunction = m_pFunction->currentText();
    if (m_pFunction2) {
        // Another function than the first, when there is one.
        m_pFunction2->clear();
        for (int i = 0; i < m_pFunction->count(); ++i)
            m_pFunction2->addItem(m_pFunction->itemText(i));
        const int first = m_pFunction->currentIndex();
        m_pFunction2->setCurrentIndex(m_pFunction2->count() < 2 ? -1 : first == 0 ? 1 : 0);
        m_strFunction2 = m_pFunction2->currentText();
    }
}

int CAnalysisPage::SlotOf(const QComboBox *pChooser) const
{
    const int index = pChooser ? pChooser->currentIndex() : -1;
    return index >= 0 && index < static_cast<int>(m_aSlots.size()) ? m_aSlots[index] : -1;
}

EMarkSource CAnalysisPage::Source() const
{
    switch (m_controls.kind) {
    case EAnalysisKind::Extrema: return EMarkSource::Extrema;
    case EAnalysisKind::Inflection: return EMarkSource::Inflection;
    case EAnalysisKind::Intersections: return EMarkSource::Intersections;
    case EAnalysisKind::Roots: break;
    }
    return EMarkSource::Roots;
}

void CAnalysisPage::ShowMarks(const SAnalysisResult *result)
{
    m_shown = result ? *result : SAnalysisResult{};
    if (!m_showMarks)
        return;
    const int slot = SlotOf(m_pFunction);
    m_showMarks(Source(), slot < 0 ? std::vector<SGraphMark>{}
                                   : MarksOf(m_controls.kind, m_shown.points, slot, SlotOf(m_pFunction2)));
}

void CAnalysisPage::OnRowChanged(int row)
{
    if (m_highlightMark)
        m_highlightMark(Source(), m_shown.PointOfLine(row));
}

QString CAnalysisPage::Title() const { return QString::fromLatin1(m_texts.title); }

QWidget *CAnalysisPage::Control(int nId) const { return findChild<QWidget *>(Name(nId)); }

bool CAnalysisPage::UpdateData(bool bSaveAndValidate)
{
    if (!bSaveAndValidate) {
        m_pFunction->setCurrentIndex(m_pFunction->findText(m_strFunction));
        if (m_pFunction2)
            m_pFunction2->setCurrentIndex(m_pFunction2->findText(m_strFunction2));
        for (int i = 0; i < 3; ++i)
            m_aModes[i]->setChecked(m_nMode == i);
        m_pFrom->setText(QString::fromStdString(ShownField(m_dFrom)));
        m_pTo->setText(QString::fromStdString(ShownField(m_dTo)));
        m_pAccuracy->setText(QString::number(m_nAccuracy));
        return true;
    }
    m_strFunction = m_pFunction->currentText();
    if (m_pFunction2)
        m_strFunction2 = m_pFunction2->currentText();
    for (int i = 0; i < 3; ++i)
        if (m_aModes[i]->isChecked())
            m_nMode = i;
    if (!ReadNumberField(m_pFrom, m_dFrom) || !ReadNumberField(m_pTo, m_dTo))
        return false;
    const std::optional<int> places = ReadWholeInteger(m_pAccuracy->text().toStdString());
    const int n = places.value_or(0);
    const QString caption = QString::fromLatin1(kProgramName);
    if (!places || n < kMinPlaces || n > kMaxPlaces) {
        ShowMessage(this, places ? QString::fromStdString(PlacesRangeText()) : QStringLiteral("Please enter an integer."),
                    caption, MsgIcon::Warning);
        m_pAccuracy->setFocus();
        m_pAccuracy->selectAll();
        return false;
    }
    m_nAccuracy = n;
    return true;
}

void CAnalysisPage::StepAccuracy(int delta)
{
    const int n = ReadWholeInteger(m_pAccuracy->text().toStdString()).value_or(0) + delta;
    m_pAccuracy->setText(QString::number(std::clamp(n, kMinPlaces, kMaxPlaces)));
}

void CAnalysisPage::SetStep3(const QString &text, bool bEnabled, bool bShowTo)
{
    m_pStep3->setText(text);
    m_pStep3->setEnabled(bEnabled);
    m_pStep3->show();
    m_pFrom->setEnabled(bEnabled);
    m_pFrom->show();
    for (QWidget *pWidget : {static_cast<QWidget *>(m_pToLabel), static_cast<QWidget *>(m_pTo)}) {
        pWidget->setVisible(bShowTo);
        pWidget->setEnabled(bEnabled);
    }
}

void CAnalysisPage::SetResultLabel(const QString &text)
{
    if (m_pResultLabel)
        m_pResultLabel->setText(text);
    else
        m_pResultBox->setTitle(text);
}

void CAnalysisPage::OnSpecificDomain()
{
    SetStep3(QString::fromLatin1(kDomainStep3), true, true);
    m_pFrom->setFocus();
    SetResultLabel(QString::fromLatin1(m_texts.inDomainText));
    if (m_controls.readsAfterMode)
        UpdateData(true);
}

void CAnalysisPage::OnGraphDomain()
{
    UpdateData(true);
    m_nMode = 1;
    m_dFrom = m_dGraphMin;
    m_dTo = m_dGraphMax;
    UpdateData(false);
    SetStep3(QString::fromLatin1(kDomainStep3), false, true);
    SetResultLabel(QString::fromLatin1(m_texts.inDomainText));
}

void CAnalysisPage::OnNearPoint()
{
    SetStep3(QString::fromLatin1(kNearStep3), true, false);
    m_pFrom->setFocus();
    SetResultLabel(QString::fromLatin1(m_texts.nearPointText));
    if (m_controls.readsAfterMode)
        UpdateData(true);
}

std::optional<SAnalysisResult> CAnalysisPage::RunSearch(const SAnalysisRequest &request)
{
    const SWaitCursor wait;
    const ProgressCallback progress = CUserPrompts::Current().StartProgress(this, QStringLiteral("Searching..."));
    return RunAnalysis(request, progress);
}

void CAnalysisPage::OnCalculate()
{
    if (!UpdateData(true))
        return;
    if (m_nAccuracy > kMaxPlaces || m_nAccuracy < kMinPlaces)
        return;
    const bool bNear = m_nMode == 2;
    const int slot = SlotOf(m_pFunction);
    const SAnalysisRequest request{m_controls.kind, m_strFunction.toStdString(), bNear, m_dFrom, m_dTo,
                                   m_nAccuracy, m_strFunction2.toStdString(),
                                   m_parameters && slot >= 0 ? m_parameters(slot) : SParameterValues()};
    if (const char *refusal = IntersectionRefusalText(IntersectionRefusal(request))) {
        ShowMarks(nullptr);
        ShowMessage(this, QString::fromLatin1(refusal), QString::fromLatin1(kProgramName), MsgIcon::Stop);
        return;
    }
    const EAnalysisCheck check = CheckAnalysis(request);
    const QString text = QString::fromLatin1(CheckText(request, check));
    if (check == EAnalysisCheck::DomainOrder || check == EAnalysisCheck::TooFar) {
        ShowMarks(nullptr);
        ShowMessage(this, text, QString::fromLatin1(kInvalidDomainCaption), MsgIcon::Stop);
        return;
    }
    if (DerivativeTooLong(request)) {
        ShowMarks(nullptr);
        ShowMessage(this, QString::fromLatin1(kDerivativeTooLongText), QString::fromLatin1(kProgramName),
                    MsgIcon::Stop);
        return;
    }
    if (check == EAnalysisCheck::LargeDomain &&
        ShowMessage(this, text, QString::fromLatin1(kLargeDomainCaption), MsgIcon::Question, MsgButtons::YesNo) ==
            MsgAnswer::Yes)
        return;

    const std::optional<SAnalysisResult> result = RunSearch(request);
    m_pList->clear();
    if (!result) {
        // The list shown may belong to another function or domain.
        m_pList->addItem(QString::fromLatin1(kCancelledLine));
        ShowMarks(nullptr);
        return;
    }
    for (const std::string &line : result->lines)
        m_pList->addItem(QString::fromStdString(line));
    ShowMarks(&*result);
    if (result->WarnsTooMany(bNear))
        ShowMessage(this, QString::fromLatin1(m_texts.tooMany), QString::fromLatin1(m_texts.tooManyCaption),
                    MsgIcon::Information);
}
