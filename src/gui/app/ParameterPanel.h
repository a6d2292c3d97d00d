#pragma once

#include "core/plot/Parameters.h"

#include <QDockWidget>
#include <QElapsedTimer>
#include <QTimer>

#include <string>
#include <vector>

class CGraph;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSlider;
class QToolButton;

// The parameter panel: for each parameter letter the plotted functions use,
// a slider with its value, minimum, maximum and step, and a play button
// that moves the value between its bounds. Every change goes to the graph;
// a drag or an animation is one undo step.
class CParameterPanel : public QDockWidget
{
    Q_OBJECT
public:
    CParameterPanel(CGraph &graph, QWidget *parent);

    // How a play moves: to the maximum once, or back and forth until stopped.
    enum class EPlay { Once, BackAndForth };
    // Seconds a play takes from the minimum to the maximum, by speed choice.
    static constexpr double kSweepSeconds[] = {8.0, 4.0, 2.0};

    QSlider *Slider(char letter) const;
    QLineEdit *Field(char letter, int which) const;  // 0 value, 1 min, 2 max, 3 step
    QToolButton *PlayButton(char letter) const;
    QComboBox *PlayMode() const { return m_pMode; }
    QComboBox *Speed() const { return m_pSpeed; }
    // What the last refused entry was told; empty when none.
    QString Problem() const;
    char Playing() const { return m_cPlaying; }
    // One frame of a play, dt seconds after the last (the timer calls it).
    void Advance(double dt);

private:
    struct SRow
    {
        char letter = 0;
        QLabel *name = nullptr;
        QSlider *slider = nullptr;
        QLineEdit *fields[4] = {};
        QToolButton *play = nullptr;
        QLabel *bounds = nullptr;
    };

    void Follow();
    void Rebuild(const std::string &letters);
    void Show(const SRow &row);
    const SRow *RowOf(char letter) const;
    void OnSlider(char letter, int position);
    void OnField(char letter, int which);
    void TogglePlay(char letter);
    void Stop();
    void Refuse(const QString &text);
    // Sets a letter's entry as a step of gesture (0: a step of its own).
    void Apply(char letter, const SParameter &entry, int gesture);

    CGraph &m_graph;
    QWidget *m_pRows = nullptr;
    QGridLayout *m_pGrid = nullptr;
    QLabel *m_pEmpty = nullptr;
    QLabel *m_pProblem = nullptr;
    QComboBox *m_pMode = nullptr;
    QComboBox *m_pSpeed = nullptr;
    std::vector<SRow> m_rows;
    std::string m_letters;
    bool m_bShowing = false;  // the panel writes its controls: no change goes back
    bool m_bUserClosed = false;
    int m_nDrag = 0;          // the gesture of the drag under way
    char m_cPlaying = 0;
    int m_nPlayDirection = 1;
    int m_nPlayGesture = 0;
    double m_dPlayValue = 0;  // where the play is, between the slider's steps
    QTimer m_timer;
    QElapsedTimer m_clock;
};
