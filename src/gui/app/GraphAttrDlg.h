#pragma once

#include "graph/model/Graph.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <cstdint>

class QComboBox;
class QRadioButton;
class QTextEdit;

// "Graph Attributes": the curve colour and line thickness of each of the
// five graphs.
class CGraphAttrDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kGraphs = CViewState::kSlots;
    static constexpr int kFirstRadio = 1003;
    static constexpr int kFirstSample = 1028;
    static constexpr int kFirstPicker = 1033;
    static constexpr int kThicknesses = 5;

    explicit CGraphAttrDlg(QWidget *parent = nullptr);

    // Copies the graph's colours and thicknesses in; a thickness outside
    // 1..5 (a document may hold one) is shown clamped into that range.
    void LoadFrom(const CGraph &graph);
    // OK: the graph takes every colour and, as thickness, the position plus
    // 1 of each picker the user changed; the others keep their thickness.
    void StoreInto(CGraph &graph) const;

    // Radio button N (0-based) clicked: asks for graph N's colour, the
    // colour chooser opened on the colour it has now.
    void OnChooseColor(int nGraph);

    // The picture of a line n pixels thick (1..5), 48 x 6 pixels.
    static QPixmap ThicknessPicture(int n);

private:
    void ShowSample(int nGraph);

    std::array<std::int16_t, kGraphs> m_aThickness{};  // zero-based list position
    std::array<int, kGraphs> m_aWidth{};               // as loaded, kept unless picked
    std::array<bool, kGraphs> m_aPicked{};
    std::array<ColorRef, kGraphs> m_aColor{};
    std::array<QRadioButton *, kGraphs> m_aRadios{};
    std::array<QTextEdit *, kGraphs> m_aSamples{};
    std::array<QComboBox *, kGraphs> m_aPickers{};
};
