#include "gui/calc/CalcDlg.h"

#include "core/calc/CalcEvaluator.h"
#include "core/calc/CalcText.h"
#include "core/calc/FunctionValue.h"
#include "gui/common/CommandIds.h"
#include "gui/common/Message.h"
#include "gui/view/NumberField.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextEdit>

#include <cmath>

namespace {

const char *const kTitle = "Exepression Calculator";

// Buttons that only append their text to the expression. The pi key writes
// the name: 2 and pi make the product 2pi in any base, never the number 23.14.
struct SAppend {
    int nId;
    const char *pszText;
};
constexpr SAppend kAppends[] = {
    {IDC_CALC_0, "0"}, {IDC_CALC_1, "1"}, {IDC_CALC_2, "2"}, {IDC_CALC_3, "3"},
    {IDC_CALC_4, "4"}, {IDC_CALC_4 + 1, "5"}, {IDC_CALC_4 + 2, "6"}, {IDC_CALC_4 + 3, "7"},
    {IDC_CALC_4 + 4, "8"}, {IDC_CALC_4 + 5, "9"}, {IDC_CALC_POINT, "."},
    {IDC_CALC_PLUS, "+"}, {IDC_CALC_MINUS, "-"}, {IDC_CALC_TIMES, "*"}, {IDC_CALC_DIVIDE, "/"},
    {IDC_CALC_OPEN, "("}, {IDC_CALC_CLOSE, ")"}, {IDC_CALC_POWER, "^"},
    {IDC_CALC_PI, "pi"}, {IDC_CALC_LOG, "log "}, {IDC_CALC_LN, "ln "},
    {IDC_CALC_TEN_POWER, "*10^ "}, {IDC_CALC_FACTORIAL, "! "}, {IDC_CALC_NCR, "ncr"}, {IDC_CALC_NPR, "npr"},
};

struct STrig {
    int nId;
    const char *pszName;
};
constexpr STrig kTrigonometric[] = {
    {IDC_CALC_SIN, "sin"}, {IDC_CALC_COS, "cos"}, {IDC_CALC_TAN, "tan"},
    {IDC_CALC_SEC, "sec"}, {IDC_CALC_CSC, "csc"}, {IDC_CALC_COT, "cot"},
};

QString Text(const std::string &s) { return QString::fromStdString(s); }
std::string Std(const QString &s) { return s.toStdString(); }

void AddUnlessPresent(QComboBox *pCombo, const QString &strText)
{
    if (pCombo->findText(strText, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        pCombo->addItem(strText);
}

}  // namespace

CCalcDlg::CCalcDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QString::fromLatin1(kTitle));
    // A tool window of its parent: above the main window, never above the
    // dialogs the main window opens.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setObjectName(QStringLiteral("Calculator"));
    CreateControls();
}

// --- Showing ----------------------------------------------------------------

void CCalcDlg::ShowCalculator(const QStringList &functions, int nSelected)
{
    m_pFunction->clear();
    m_pFunction->addItems(functions);
    // nSelected is a slot: the derivative lines below the functions do not count.
    for (int i = 0, nSlot = 0; i < functions.size(); ++i) {
        if (functions[i].startsWith(QStringLiteral("    ")))
            continue;
        if (nSlot++ == nSelected) {
            m_pFunction->setCurrentIndex(i);
            break;
        }
    }
    m_bShown = true;
    // Some window managers place a window shown again by its frame; it goes
    // back where the user left it.
    const bool bPlaced = m_bPlaced;
    show();
    if (bPlaced)
        move(m_ptPlace);
    raise();
    activateWindow();
    m_pExpression->setFocus();
}

QString CCalcDlg::ExpressionText() const { return m_pExpression->toPlainText(); }

void CCalcDlg::SetExpressionText(const QString &strText)
{
    m_pExpression->setPlainText(strText);
    m_pExpression->moveCursor(QTextCursor::End);
}

QString CCalcDlg::DisplayText() const { return m_pDisplay->text(); }

QString CCalcDlg::ReasonText() const { return m_pReason->text(); }

void CCalcDlg::SetDisplay(const QString &strText)
{
    // The seven segments draw digits, the point and the sign only; letters
    // (digits above 9, nan, an exponent) get a plain face.
    static const QRegularExpression segments(QStringLiteral("^[-0-9. ]*$"));
    m_pDisplay->setFont(segments.match(strText).hasMatch() ? m_lcdFont : m_plainFont);
    m_pDisplay->setText(strText);
    ShowReason(QString());
}

void CCalcDlg::ShowReason(const QString &strReason)
{
    m_pReason->setText(strReason);
}

void CCalcDlg::Append(const QString &strText) { SetExpressionText(ExpressionText() + strText); }

void CCalcDlg::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous()) {
        m_ptPlace = pos();
        m_bPlaced = true;
    }
    QDialog::hideEvent(event);
}

// --- Keyboard ---------------------------------------------------------------

bool CCalcDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pExpression && event->type() == QEvent::KeyPress) {
        auto *pKey = static_cast<QKeyEvent *>(event);
        if (pKey->key() == Qt::Key_Return || pKey->key() == Qt::Key_Enter || pKey->text() == QStringLiteral("=")) {
            OnEvaluate();
            return true;  // the key does not reach the text
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Qt lets a tool window's keys reach its parent's shortcuts. The main
// window's keys (Ctrl+A analyses, Ctrl+N starts anew, F6, Alt+Return) must
// not act behind this window: they are claimed here, so the key goes to the
// field with the keyboard (Ctrl+A still selects its text) and no further.
bool CCalcDlg::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *pKey = static_cast<QKeyEvent *>(event);
        const int nKey = pKey->key();
        const bool bFunctionKey = nKey >= Qt::Key_F1 && nKey <= Qt::Key_F35;
        const bool bAltEnter = (pKey->modifiers() & Qt::AltModifier) && (nKey == Qt::Key_Return || nKey == Qt::Key_Enter);
        if ((pKey->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) || bFunctionKey || bAltEnter) {
            event->accept();
            return true;
        }
    }
    return QDialog::event(event);
}

void CCalcDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OnEvaluate();
        return;
    }
    QDialog::keyPressEvent(event);  // Escape hides
}

// --- Commands ---------------------------------------------------------------

void CCalcDlg::OnCommand(int nId)
{
    for (const SAppend &entry : kAppends)
        if (entry.nId == nId) {
            Append(QString::fromLatin1(entry.pszText));
            return;
        }
    for (const STrig &entry : kTrigonometric)
        if (entry.nId == nId) {
            OnTrigonometric(QString::fromLatin1(entry.pszName));
            return;
        }
    switch (nId) {
    case IDC_CALC_SQUARE: case IDC_CALC_CUBE: case IDC_CALC_RECIPROCAL: OnPower(nId); break;
    case IDC_CALC_EQUALS: OnEvaluate(); break;
    case IDC_CALC_CLEAR:
        m_pExpression->clear();
        SetDisplay(QStringLiteral("0. "));
        m_nShownBase = 10;
        break;
    case IDC_CALC_STORE: OnStore(); break;
    case IDC_CALC_RECALL: OnRecall(); break;
    case IDC_CALC_STORE_EXPRESSION: m_pMemory->addItem(ExpressionText()); break;
    case IDC_CALC_CLEAR_ALL: m_pMemory->clear(); break;
    case IDC_CALC_CLEAR_ITEM: OnClearItem(); break;
    case IDC_CALC_SUBSTITUTE: OnSubstitute(); break;
    case IDC_CALC_ADD_VALUE: m_pXValue->addItem(m_pXValue->currentText()); break;
    case IDC_CALC_CLEAR_VALUES: m_pXValue->clear(); break;
    case IDC_CALC_DMS: OnDegreesMinutesSeconds(); break;
    case IDC_CALC_RECT_TO_POLAR: OnRectToPolar(); break;
    case IDC_CALC_POLAR_TO_RECT: OnPolarToRect(); break;
    case ID_CALC_COPY: OnCopy(); break;
    default: break;
    }
}

bool CCalcDlg::ReadBases(int *pnFrom, int *pnTo)
{
    auto *pFrom = static_cast<QLineEdit *>(Control(IDC_CALC_BASE_FROM));
    auto *pTo = static_cast<QLineEdit *>(Control(IDC_CALC_BASE_TO));
    // Bases outside 2..36 have no digits; a field that holds one is refused.
    for (QLineEdit *pEdit : {pFrom, pTo})
        if (BaseFieldValue(Std(pEdit->text())) == 0) {
            ShowMessage(this, QString::fromLatin1(kBaseFieldText), QString::fromLatin1(kTitle), MsgIcon::Warning);
            pEdit->setFocus();
            pEdit->selectAll();
            return false;
        }
    *pnFrom = TokenBase(Std(pFrom->text()));
    *pnTo = BaseFieldValue(Std(pTo->text()));
    return true;
}

bool CCalcDlg::AcceptLength(const std::string &strText)
{
    if (strText.size() <= kMaxCalcTextLength)
        return true;
    ShowMessage(this, QString::fromLatin1(kCalcTooLongText), QString::fromLatin1(kTitle), MsgIcon::Warning);
    return false;
}

void CCalcDlg::OnEvaluate()
{
    m_nAngleMode = static_cast<QRadioButton *>(Control(IDC_CALC_RAD))->isChecked() ? 1 : 0;
    m_nInverse = static_cast<QCheckBox *>(Control(IDC_CALC_INV))->isChecked();
    m_nHyperbolic = static_cast<QCheckBox *>(Control(IDC_CALC_HYP))->isChecked();
    int nFrom = -1, nTo = 10;
    if (!ReadBases(&nFrom, &nTo))
        return;
    const std::string strText = Std(ExpressionText());
    if (!AcceptLength(strText))
        return;
    const SCalcResult result = EvaluateCalcText(strText, m_nAngleMode == 1, nFrom);
    if (!result.Ok()) {
        // No number for a text that cannot be read; the text stays to be corrected.
        SetDisplay(QString());
        ShowReason(Text(RefusalText(result)));
        return;
    }
    m_dLastResult = result.dValue;
    m_nShownBase = nTo;
    SetDisplay(Text(EqualsText(m_dLastResult, nTo)));
}

void CCalcDlg::OnTrigonometric(const QString &strName)
{
    m_nInverse = static_cast<QCheckBox *>(Control(IDC_CALC_INV))->isChecked();
    m_nHyperbolic = static_cast<QCheckBox *>(Control(IDC_CALC_HYP))->isChecked();
    Append((m_nInverse ? QStringLiteral("a") : QString()) + strName + (m_nHyperbolic ? QStringLiteral("h") : QString()) +
           QStringLiteral(" "));
}

void CCalcDlg::OnPower(int nId)
{
    const double v = m_dLastResult;
    if (nId == IDC_CALC_RECIPROCAL && v == 0) {
        SetDisplay(QString());
        ShowReason(QStringLiteral("Division by zero"));
        return;
    }
    const double dResult = nId == IDC_CALC_SQUARE ? v * v : nId == IDC_CALC_CUBE ? v * v * v : 1 / v;
    if (!std::isfinite(dResult)) {
        SetDisplay(QString());
        ShowReason(QString::fromLatin1(dResult > 0 ? "Overflow: the result is above 1.8e308" : "Overflow: the result is below -1.8e308"));
        return;
    }
    m_dLastResult = dResult;
    // The answer in the base the display shows.
    SetDisplay(Text(PowerText(m_dLastResult, m_nShownBase)));
}

void CCalcDlg::OnStore()
{
    const QString strDisplay = DisplayText();
    if (strDisplay == QStringLiteral("0. ") || strDisplay.isEmpty())
        return;
    const QString strText = Text(MemoryText(Std(strDisplay), IsIntegral(m_dLastResult), m_nShownBase));
    m_pMemory->setEditText(strText);
    AddUnlessPresent(m_pMemory, strText);
}

void CCalcDlg::OnRecall()
{
    int nFrom = -1, nTo = 10;
    if (!ReadBases(&nFrom, &nTo))
        return;
    Insert(RecallText(Std(m_pMemory->currentText()), nFrom));
}

void CCalcDlg::Insert(const std::string &strValue)
{
    SetExpressionText(Text(InsertValue(Std(ExpressionText()), strValue)));
}

void CCalcDlg::OnClearItem()
{
    if (m_pMemory->count() == 0)
        return;
    m_pMemory->removeItem(0);
    m_pMemory->setEditText(m_pMemory->count() > 0 ? m_pMemory->itemText(0) : QString());
}

// F(x) at X as the graph draws it: the graph's syntax, in radians, whatever
// the calculator's angle mode and bases.
void CCalcDlg::OnSubstitute()
{
    const QString strFunction = m_pFunction->currentText();
    AddUnlessPresent(m_pFunction, strFunction);
    if (!AcceptLength(Std(strFunction)))
        return;
    const QString strX = m_pXValue->currentText();
    if (m_pXValue->findText(strX, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        m_pXValue->addItem(strX);
        m_pXValue->model()->sort(0);
        m_pXValue->setEditText(strX);
    }
    const SCalcResult x = EvaluateCalcText(Std(strX), false, -1);
    if (!x.Ok()) {
        ShowReason(QStringLiteral("X: ") + Text(RefusalText(x)));
        return;
    }
    const SCalcResult value =
        FunctionValue(Std(strFunction), x.dValue, m_parameters ? m_parameters() : SParameterValues());
    if (!value.Ok()) {
        ShowReason(Text(value.strReason));
        return;
    }
    if (!std::isfinite(value.dValue)) {
        ShowReason(QStringLiteral("F(x) has no value at this x"));
        return;
    }
    int nFrom = -1, nTo = 10;
    if (!ReadBases(&nFrom, &nTo))
        return;
    ShowReason(QString());
    Insert(ValueText(value.dValue, nFrom));
}

void CCalcDlg::OnDegreesMinutesSeconds()
{
    if (DisplayText().isEmpty())
        return;
    // The display is read in the base it is shown in; the angle is decimal.
    SetDisplay(Text(ConvertDms(Std(DisplayText()), m_nShownBase)));
    m_nShownBase = 10;
}

void CCalcDlg::OnRectToPolar()
{
    // Read as the command line reads them: a field without a number is refused.
    double x = 0.0, y = 0.0;
    if (!ReadNumberField(static_cast<QLineEdit *>(Control(IDC_CALC_COORD_IN1)), x) ||
        !ReadNumberField(static_cast<QLineEdit *>(Control(IDC_CALC_COORD_IN2)), y))
        return;
    const auto [r, a] = RectToPolarTexts(x, y);
    static_cast<QLineEdit *>(Control(IDC_CALC_COORD_OUT1))->setText(Text(r));
    static_cast<QLineEdit *>(Control(IDC_CALC_COORD_OUT2))->setText(Text(a));
}

void CCalcDlg::OnPolarToRect()
{
    double r = 0.0, a = 0.0;
    if (!ReadNumberField(static_cast<QLineEdit *>(Control(IDC_CALC_COORD_IN1)), r) ||
        !ReadNumberField(static_cast<QLineEdit *>(Control(IDC_CALC_COORD_IN2)), a))
        return;
    const auto [x, y] = PolarToRectTexts(r, a);
    static_cast<QLineEdit *>(Control(IDC_CALC_COORD_OUT1))->setText(Text(x));
    static_cast<QLineEdit *>(Control(IDC_CALC_COORD_OUT2))->setText(Text(y));
}

void CCalcDlg::OnCopy() { QApplication::clipboard()->setText(Text(CopyText(Std(DisplayText())))); }
