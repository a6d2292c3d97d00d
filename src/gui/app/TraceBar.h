#pragma once

#include <QDockWidget>
#include <QHash>

// The trace bar: the traced position, the "Direct Function Trace" fields
// (x typed by the user, f(x) shown) and the "Scientific" and "Degree" boxes.
// It starts hidden; the frame wires it to the view and the commands.
class CTraceBar : public QDockWidget
{
    Q_OBJECT
public:
    explicit CTraceBar(QWidget *parent);

    QWidget *Control(int nId) const { return m_controls.value(nId); }
    const QHash<int, QWidget *> &Controls() const { return m_controls; }

    void SetPositionText(const QString &strText);
    void SetResultText(const QString &strText);
    QString XText() const;
    bool HasResult() const;
    // "Degree" is offered while the function has a trigonometric part.
    void SetDegreeVisible(bool bVisible);
    void SetDegreeChecked(bool bChecked);

signals:
    void xChanged(const QString &strText);  // the user's x of the direct trace
    void scientificClicked();
    void degreeClicked();

private:
    QHash<int, QWidget *> m_controls;
};
