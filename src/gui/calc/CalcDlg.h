#pragma once

#include "core/expr/Program.h"

#include <QDialog>
#include <QFont>
#include <QHash>
#include <QPoint>
#include <QStringList>

#include <functional>
#include <string>
#include <utility>

class QComboBox;
class QLabel;
class QLineEdit;
class QTextEdit;

// The "Exepression Calculator": a modeless tool window of its parent, kept
// above the parent only.
// It is made once, hidden, and closing only hides it, so its lists, fields
// and last result survive until its owner goes.
class CCalcDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CCalcDlg(QWidget *parent = nullptr);

    // Refills "F(x)=" with the plotted functions (derivative lines already
    // indented by four spaces by the caller), selects the function of slot
    // nSelected and shows the window on top without moving it.
    void ShowCalculator(const QStringList &functions, int nSelected);
    // Where Substitute reads the graph's parameter values, at each press;
    // without one every parameter is 1.
    void SetParameterSource(std::function<SParameterValues()> source) { m_parameters = std::move(source); }

    // Carries out the button or menu command nId.
    void OnCommand(int nId);
    void OnEvaluate();

    QWidget *Control(int nId) const { return m_controls.value(nId); }
    QString ExpressionText() const;
    void SetExpressionText(const QString &strText);
    QString DisplayText() const;
    // The reason the last text was refused; empty after a result.
    QString ReasonText() const;
    double LastResult() const { return m_dLastResult; }

    bool m_bShown = false;  // set when the window is shown for the frame

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void CreateControls();
    QWidget *CreateKeypad();
    QWidget *CreateMemoryGroup();
    QWidget *CreateSubstitutionGroup();
    QWidget *CreateBaseGroup();
    QWidget *CreateCoordinateGroup();
    QWidget *CreateModeGroup();
    QWidget *AddButton(int nId, const QString &strCaption, bool bKeypad = true);

    void Append(const QString &strText);
    // A value into the expression as an operand of its own.
    void Insert(const std::string &strValue);
    void SetDisplay(const QString &strText);
    // Why the last text was refused, shown below the display; empty clears it.
    void ShowReason(const QString &strReason);
    // The base of number tokens (-1 for plain decimal) and the base shown;
    // false after telling the user that a base field is out of range.
    bool ReadBases(int *pnFrom, int *pnTo);
    // Refuses, with a message, a text too long to evaluate at once.
    bool AcceptLength(const std::string &strText);
    void OnTrigonometric(const QString &strName);
    void OnPower(int nId);
    void OnStore();
    void OnRecall();
    void OnClearItem();
    void OnSubstitute();
    void OnDegreesMinutesSeconds();
    void OnRectToPolar();
    void OnPolarToRect();
    void OnCopy();

    double m_dLastResult = 0.0;
    int m_nShownBase = 10;  // the base the display's digits are in
    int m_nAngleMode = 0;   // 0 degrees, 1 radians
    int m_nInverse = 0;
    int m_nHyperbolic = 0;
    QPoint m_ptPlace;  // where the window was when it was hidden
    bool m_bPlaced = false;

    QTextEdit *m_pExpression = nullptr;
    QLabel *m_pDisplay = nullptr;
    QLabel *m_pReason = nullptr;
    QFont m_lcdFont;
    QFont m_plainFont;
    QComboBox *m_pMemory = nullptr;
    QComboBox *m_pFunction = nullptr;
    QComboBox *m_pXValue = nullptr;
    QHash<int, QWidget *> m_controls;
    std::function<SParameterValues()> m_parameters;
};
