#include "gui/app/ParameterPanel.h"

#include "core/expr/ConstantValue.h"
#include "core/expr/ShownNumber.h"
#include "graph/model/Graph.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const char *const kFieldNames[] = {"Value", "Minimum", "Maximum", "Step"};

// The slider's positions: one a step, at most a million.
int Positions(const SParameter &p)
{
    return static_cast<int>(std::clamp(std::round((p.max - p.min) / p.step), 1.0, 1e6));
}

int PositionOf(const SParameter &p)
{
    return static_cast<int>(std::clamp(std::round((p.value - p.min) / p.step), 0.0, static_cast<double>(Positions(p))));
}

QString Letter(char letter) { return QString(QChar::fromLatin1(letter)); }

}  // namespace

CParameterPanel::CParameterPanel(CGraph &graph, QWidget *parent)
    : QDockWidget(QStringLiteral("Parameters"), parent), m_graph(graph)
{
    setObjectName(QStringLiteral("ParameterPanel"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    auto *panel = new QWidget(this);
    auto *column = new QVBoxLayout(panel);
    m_pEmpty = new QLabel(QStringLiteral("No plotted function uses a parameter.\nType one such as a*sin(b*x+c)."), panel);
    m_pEmpty->setWordWrap(true);
    column->addWidget(m_pEmpty);
    m_pRows = new QWidget(panel);
    m_pGrid = new QGridLayout(m_pRows);
    m_pGrid->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_pRows);

    auto *playRow = new QHBoxLayout;
    m_pMode = new QComboBox(panel);
    m_pMode->addItems({QStringLiteral("Once"), QStringLiteral("Back and forth")});
    m_pMode->setAccessibleName(QStringLiteral("How a play moves"));
    m_pSpeed = new QComboBox(panel);
    m_pSpeed->addItems({QStringLiteral("Slow"), QStringLiteral("Medium"), QStringLiteral("Fast")});
    m_pSpeed->setCurrentIndex(1);
    m_pSpeed->setAccessibleName(QStringLiteral("Speed of a play"));
    playRow->addWidget(new QLabel(QStringLiteral("Play:"), panel));
    playRow->addWidget(m_pMode);
    playRow->addWidget(m_pSpeed);
    column->addLayout(playRow);
    m_pProblem = new QLabel(panel);
    m_pProblem->setWordWrap(true);
    m_pProblem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_pProblem->hide();
    column->addWidget(m_pProblem);
    column->addStretch(1);
    setWidget(panel);

    m_timer.setInterval(16);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        const double dt = std::min(0.1, m_clock.restart() / 1000.0);
        Advance(dt);
    });
    connect(&m_graph, &CGraph::changed, this, [this](GraphChanges what) {
        if (what & (EGraphChange::Functions | EGraphChange::Parameters))
            Follow();
    });
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (!visible && !m_letters.empty() && !m_bShowing)
            m_bUserClosed = true;
        if (visible)
            m_bUserClosed = false;
    });
    Follow();
}

const CParameterPanel::SRow *CParameterPanel::RowOf(char letter) const
{
    for (const SRow &row : m_rows)
        if (row.letter == letter)
            return &row;
    return nullptr;
}

QSlider *CParameterPanel::Slider(char letter) const
{
    const SRow *row = RowOf(letter);
    return row ? row->slider : nullptr;
}

QLineEdit *CParameterPanel::Field(char letter, int which) const
{
    const SRow *row = RowOf(letter);
    return row && which >= 0 && which < 4 ? row->fields[which] : nullptr;
}

QToolButton *CParameterPanel::PlayButton(char letter) const
{
    const SRow *row = RowOf(letter);
    return row ? row->play : nullptr;
}

QString CParameterPanel::Problem() const
{
    return m_pProblem->isHidden() ? QString() : m_pProblem->text();
}

void CParameterPanel::Follow()
{
    const std::string letters = m_graph.UsedParameters();
    if (letters != m_letters) {
        const bool first = m_letters.empty();
        Rebuild(letters);
        // The panel comes up with the first parameter, unless it was closed.
        if (first && !letters.empty() && !m_bUserClosed && parentWidget() && parentWidget()->isVisible())
            show();
    }
    for (const SRow &row : m_rows)
        Show(row);
}

void CParameterPanel::Rebuild(const std::string &letters)
{
    if (m_cPlaying && letters.find(m_cPlaying) == std::string::npos)
        Stop();
    for (SRow &row : m_rows) {
        delete row.name;
        delete row.slider;
        for (QLineEdit *field : row.fields)
            delete field;
        delete row.play;
        delete row.bounds;
    }
    m_rows.clear();
    m_letters = letters;
    m_pEmpty->setVisible(letters.empty());
    int line = 0;
    for (const char letter : letters) {
        SRow row;
        row.letter = letter;
        const QString name = Letter(letter);
        row.name = new QLabel(QStringLiteral("<b>%1</b>").arg(name), m_pRows);
        row.slider = new QSlider(Qt::Horizontal, m_pRows);
        row.slider->setObjectName(QStringLiteral("slider_%1").arg(name));
        row.slider->setAccessibleName(QStringLiteral("Slider of %1").arg(name));
        row.slider->setSingleStep(1);
        row.slider->setPageStep(10);
        row.slider->setMinimumWidth(120);
        for (int i = 0; i < 4; ++i) {
            auto *field = new QLineEdit(m_pRows);
            field->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(kFieldNames[i]).toLower(), name));
            field->setAccessibleName(QStringLiteral("%1 of %2").arg(QString::fromLatin1(kFieldNames[i]), name));
            field->setToolTip(field->accessibleName());
            field->setMaximumWidth(i == 0 ? 90 : 60);
            connect(field, &QLineEdit::editingFinished, this, [this, letter, i] { OnField(letter, i); });
            row.fields[i] = field;
        }
        row.play = new QToolButton(m_pRows);
        row.play->setAccessibleName(QStringLiteral("Play %1").arg(name));
        row.play->setToolTip(row.play->accessibleName());
        connect(row.play, &QToolButton::clicked, this, [this, letter] { TogglePlay(letter); });
        connect(row.slider, &QSlider::valueChanged, this, [this, letter](int position) { OnSlider(letter, position); });
        connect(row.slider, &QSlider::sliderPressed, this, [this, letter] {
            if (m_cPlaying == letter)
                Stop();  // the hand takes over from the play
            m_nDrag = m_graph.NewGesture();
        });
        connect(row.slider, &QSlider::sliderReleased, this, [this] { m_nDrag = 0; });

        m_pGrid->addWidget(row.name, line, 0);
        m_pGrid->addWidget(row.slider, line, 1, 1, 4);
        m_pGrid->addWidget(row.fields[0], line, 5);
        m_pGrid->addWidget(row.play, line, 6);
        // Bounds and step below their slider.
        row.bounds = new QLabel(QStringLiteral("min / max / step"), m_pRows);
        row.bounds->setEnabled(false);
        m_pGrid->addWidget(row.fields[1], line + 1, 1);
        m_pGrid->addWidget(row.fields[2], line + 1, 2);
        m_pGrid->addWidget(row.fields[3], line + 1, 3);
        m_pGrid->addWidget(row.bounds, line + 1, 4, 1, 3);
        line += 2;
        m_rows.push_back(row);
    }
}

void CParameterPanel::Show(const SRow &row)
{
    const SParameter &p = m_graph.Parameters().Of(row.letter);
    m_bShowing = true;
    if (row.slider->maximum() != Positions(p))
        row.slider->setRange(0, Positions(p));
    if (row.slider->value() != PositionOf(p))
        row.slider->setValue(PositionOf(p));
    const double shown[] = {p.value, p.min, p.max, p.step};
    for (int i = 0; i < 4; ++i)
        if (!row.fields[i]->hasFocus() || !row.fields[i]->isModified())
            row.fields[i]->setText(QString::fromStdString(ShownField(shown[i])));
    row.play->setText(m_cPlaying == row.letter ? QStringLiteral("\u25A0") : QStringLiteral("\u25B6"));
    row.play->setAccessibleName(QStringLiteral("%1 %2").arg(m_cPlaying == row.letter ? QStringLiteral("Stop")
                                                                                      : QStringLiteral("Play"),
                                                            Letter(row.letter)));
    m_bShowing = false;
}

void CParameterPanel::Apply(char letter, const SParameter &entry, int gesture)
{
    const int was = m_graph.Gesture();
    m_graph.SetGesture(gesture);
    m_graph.SetParameter(letter, entry);
    m_graph.SetGesture(was);
}

void CParameterPanel::OnSlider(char letter, int position)
{
    if (m_bShowing)
        return;
    SParameter p = m_graph.Parameters().Of(letter);
    p.value = SnapToStep(p, p.min + position * p.step);
    Apply(letter, p, m_nDrag);
}

void CParameterPanel::Refuse(const QString &text)
{
    m_pProblem->setText(text);
    m_pProblem->setVisible(!text.isEmpty());
}

void CParameterPanel::OnField(char letter, int which)
{
    const SRow *row = RowOf(letter);
    if (!row)
        return;
    QLineEdit *field = row->fields[which];
    if (!field->isModified())
        return;  // left without an edit
    field->setModified(false);
    if (m_cPlaying == letter)
        Stop();
    const QString name = Letter(letter);
    const std::optional<double> read = ReadConstantValue(field->text().toStdString());
    SParameter p = m_graph.Parameters().Of(letter);
    const QString what = QString::fromLatin1(kFieldNames[which]).toLower();
    if (!read || !std::isfinite(*read)) {
        Refuse(QStringLiteral("The %1 of %2 must be a number, such as 2.5 or pi/2.").arg(what, name));
        Show(*row);
        return;
    }
    const double v = *read;
    switch (which) {
    case 0:
        // A value beyond the bounds takes the bound with it.
        p.min = std::min(p.min, v);
        p.max = std::max(p.max, v);
        p.value = v;
        break;
    case 1: p.min = v; p.value = std::max(p.value, v); break;
    case 2: p.max = v; p.value = std::min(p.value, v); break;
    default: p.step = v; break;
    }
    if (!p.IsValid()) {
        if (!(p.min < p.max))
            Refuse(QStringLiteral("The minimum of %1 must be less than its maximum.").arg(name));
        else if (!(p.step > 0) || !(p.step <= p.max - p.min))
            Refuse(QStringLiteral("The step of %1 must be more than 0 and at most the width of its range.").arg(name));
        else
            Refuse(QStringLiteral("The range of %1 is too wide.").arg(name));
        Show(*row);
        return;
    }
    Refuse(QString());
    Apply(letter, p, 0);
    Show(*row);
}

void CParameterPanel::TogglePlay(char letter)
{
    if (m_cPlaying == letter) {
        Stop();
        return;
    }
    Stop();
    const SParameter &p = m_graph.Parameters().Of(letter);
    m_cPlaying = letter;
    m_nPlayGesture = m_graph.NewGesture();  // the whole play is one undo step
    m_nPlayDirection = 1;
    m_dPlayValue = p.value >= p.max ? p.min : p.value;
    m_clock.start();
    m_timer.start();
    for (const SRow &row : m_rows)
        Show(row);
}

void CParameterPanel::Stop()
{
    const char was = m_cPlaying;
    m_cPlaying = 0;
    m_timer.stop();
    if (const SRow *row = RowOf(was))
        Show(*row);
}

void CParameterPanel::Advance(double dt)
{
    if (!m_cPlaying)
        return;
    SParameter p = m_graph.Parameters().Of(m_cPlaying);
    const int speed = std::clamp(m_pSpeed->currentIndex(), 0, 2);
    double v = m_dPlayValue + m_nPlayDirection * (p.max - p.min) / kSweepSeconds[speed] * dt;
    bool done = false;
    const bool bounce = m_pMode->currentIndex() == static_cast<int>(EPlay::BackAndForth);
    if (v >= p.max) {
        v = bounce ? std::max(p.min, p.max - (v - p.max)) : p.max;
        m_nPlayDirection = -1;
        done = !bounce;
    } else if (v <= p.min) {
        v = std::min(p.max, p.min + (p.min - v));
        m_nPlayDirection = 1;
    }
    m_dPlayValue = v;
    p.value = SnapToStep(p, v);
    const char letter = m_cPlaying;
    Apply(letter, p, m_nPlayGesture);
    if (done)
        Stop();
}
