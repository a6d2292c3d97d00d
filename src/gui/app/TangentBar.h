#pragma once

#include <QDockWidget>
#include <QHash>

// The tangent bar: x, f(x), the angle, the slope and the equation of the
// tangent at the point clicked, and the "Degree" box. It starts hidden.
class CTangentBar : public QDockWidget
{
    Q_OBJECT
public:
    explicit CTangentBar(QWidget *parent);

    QWidget *Control(int nId) const { return m_controls.value(nId); }
    const QHash<int, QWidget *> &Controls() const { return m_controls; }

    void SetText(int nId, const QString &strText);  // one of the five lines
    void SetDegreeChecked(bool bChecked);

signals:
    void degreeClicked();

private:
    QHash<int, QWidget *> m_controls;
};
