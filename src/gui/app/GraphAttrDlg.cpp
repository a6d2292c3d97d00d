#include "gui/app/GraphAttrDlg.h"

#include "graph/render/GraphRenderer.h"
#include "gui/common/UserPrompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

ColorRef ToColorRef(const QColor &c)
{
    return MakeColorRef(static_cast<unsigned>(c.red()), static_cast<unsigned>(c.green()),
                        static_cast<unsigned>(c.blue()));
}

}  // namespace

QPixmap CGraphAttrDlg::ThicknessPicture(int n)
{
    QPixmap picture(48, 6);
    picture.fill(Qt::white);
    QPainter p(&picture);
    const int top = (6 - n) / 2;
    p.fillRect(2, top, 44, n, Qt::black);
    return picture;
}

CGraphAttrDlg::CGraphAttrDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Graph Attributes"));
    auto *pGroup = new QGroupBox(QStringLiteral("Choose Graphs Color"), this);
    auto *pGrid = new QGridLayout(pGroup);
    for (int i = 0; i < kGraphs; ++i) {
        auto *pRadio = new QRadioButton(QStringLiteral("Graph %1").arg(i + 1), pGroup);
        pRadio->setObjectName(QStringLiteral("ctl%1").arg(kFirstRadio + i));
        connect(pRadio, &QRadioButton::clicked, this, [this, i] { OnChooseColor(i); });

        auto *pSample = new QTextEdit(pGroup);
        pSample->setObjectName(QStringLiteral("ctl%1").arg(kFirstSample + i));
        pSample->setReadOnly(true);
        pSample->setEnabled(false);
        pSample->setFixedSize(60, 20);
        pSample->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        pSample->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        pSample->setAutoFillBackground(true);

        auto *pPicker = new QComboBox(pGroup);
        pPicker->setObjectName(QStringLiteral("ctl%1").arg(kFirstPicker + i));
        pPicker->setIconSize(QSize(48, 6));
        for (int n = 1; n <= kThicknesses; ++n)
            pPicker->addItem(QIcon(ThicknessPicture(n)), QString());
        pPicker->setToolTip(QStringLiteral("Line thickness of graph %1").arg(i + 1));
        connect(pPicker, qOverload<int>(&QComboBox::currentIndexChanged), this, [this, i](int nIndex) {
            if (nIndex >= 0) {
                m_aThickness[i] = static_cast<std::int16_t>(nIndex);
                m_aPicked[i] = true;
            }
        });

        pGrid->addWidget(pRadio, i, 0);
        pGrid->addWidget(pSample, i, 1);
        pGrid->addWidget(pPicker, i, 2);
        m_aRadios[i] = pRadio;
        m_aSamples[i] = pSample;
        m_aPickers[i] = pPicker;
    }
    m_aRadios[0]->setChecked(true);

    auto *pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    pButtons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    pButtons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pGroup);
    pLayout->addWidget(pButtons);
}

void CGraphAttrDlg::LoadFrom(const CGraph &graph)
{
    const CViewState &view = graph.State();
    for (int i = 0; i < kGraphs; ++i) {
        m_aColor[i] = view.m_aColor[i];
        m_aWidth[i] = view.m_aWidth[i];
        m_aPicked[i] = false;
        m_aThickness[i] = static_cast<std::int16_t>(std::clamp(view.m_aWidth[i], 1, kThicknesses) - 1);
        const QSignalBlocker block(m_aPickers[i]);
        m_aPickers[i]->setCurrentIndex(m_aThickness[i]);
        ShowSample(i);
    }
    m_aRadios[0]->setChecked(true);
}

void CGraphAttrDlg::StoreInto(CGraph &graph) const
{
    std::array<ColorRef, kGraphs> colors{};
    std::array<std::int32_t, kGraphs> widths{};
    for (int i = 0; i < kGraphs; ++i) {
        colors[i] = m_aColor[i];
        widths[i] = m_aPicked[i] ? std::clamp(m_aPickers[i]->currentIndex(), 0, kThicknesses - 1) + 1 : m_aWidth[i];
    }
    graph.SetPens(colors, widths);
}

void CGraphAttrDlg::OnChooseColor(int nGraph)
{
    if (nGraph < 0 || nGraph >= kGraphs)
        return;
    if (const std::optional<QColor> chosen =
            CUserPrompts::Current().ChooseColor(this, CGraphRenderer::SlotColor(m_aColor[nGraph]))) {
        m_aColor[nGraph] = ToColorRef(*chosen);
        ShowSample(nGraph);
    }
}

void CGraphAttrDlg::ShowSample(int nGraph)
{
    QTextEdit *pSample = m_aSamples[nGraph];
    const QColor color = CGraphRenderer::SlotColor(m_aColor[nGraph]);
    QPalette pal = pSample->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, color);
        pal.setColor(group, QPalette::Window, color);
    }
    pSample->setPalette(pal);
    pSample->viewport()->setPalette(pal);
}
