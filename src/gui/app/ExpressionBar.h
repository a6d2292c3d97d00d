#pragma once

#include <QColor>
#include <QHash>
#include <QToolBar>

class QComboBox;
class CColorIndicator;

// The expression bar: the function list with its colour box, "Plot" and
// "Re-Plot", the four range fields and the derivative. It owns its controls
// and says what the user asked for; the frame wires it to the view.
class CExpressionBar : public QToolBar
{
    Q_OBJECT
public:
    explicit CExpressionBar(QWidget *parent);

    QComboBox *FunctionList() const { return m_pFunctionList; }
    QWidget *Control(int nId) const { return m_controls.value(nId); }
    // The function list, its edit part and the range fields: the fields
    // where the user types.
    QList<QWidget *> TextFields() const;

    void SetControlText(int nId, const QString &strText);
    QString ControlText(int nId) const;
    void SetIndicatorColor(const QColor &color);
    QColor IndicatorColor() const { return m_indicatorColor; }

signals:
    void plotRequested();  // "Plot" or Enter in the function list
    void replotRequested();
    void functionSelected(int nIndex);
    void rangeFieldFocused(int nId);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *m_pFunctionList = nullptr;
    CColorIndicator *m_pColorIndicator = nullptr;
    QColor m_indicatorColor = Qt::white;
    QHash<int, QWidget *> m_controls;
};
