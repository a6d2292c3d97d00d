#include "gui/app/AboutDlg.h"

#include "CorvantaVersion.h"

#include "gui/app/Artwork.h"
#include "gui/common/CommandIds.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The animation's state lives for the process and restarts whenever a box opens.
int g_nCounter = 0;
QString g_strCredits;
}  // namespace

CAboutDlg::CAboutDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Corvanta"));
    setObjectName(QStringLiteral("dlg100"));

    // Top to bottom, as they end up on the screen.
    m_aCredits = {
        QStringLiteral("Design and programming: the Corvanta team"),
        QStringLiteral("Expression compiler and evaluator"),
        QStringLiteral("Symbolic differentiation and simplification"),
        QStringLiteral("Root search, extrema, inflections and integrals"),
        QStringLiteral("Scientific calculator and base converter"),
        QStringLiteral("Linear equations, determinants and matrices"),
        QStringLiteral("Thanks to everyone who tested and reported"),
    };

    auto *pPicture = new QLabel(this);
    pPicture->setObjectName(QStringLiteral("bmp133"));
    pPicture->setPixmap(AboutPixmap(64));
    pPicture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *pAbout = new QGroupBox(QStringLiteral("About Corvanta v" CORVANTA_VERSION), this);
    auto *pAboutText = new QLabel(QStringLiteral("Corvanta Version " CORVANTA_VERSION "\n"
                                                 "A workbench for functions of one variable:\n"
                                                 "plotting, differentiation, analysis,\n"
                                                 "a scientific calculator and matrix tools.\n\n"
                                                 "Free software under the GNU General Public\n"
                                                 "License, version 3 or later (" CORVANTA_LICENSE ")."),
                                  pAbout);
    auto *pAboutLayout = new QVBoxLayout(pAbout);
    pAboutLayout->addWidget(pAboutText);

    auto *pCreditFrame = new QGroupBox(QStringLiteral("Credits"), this);
    m_pCredits = new QLabel(pCreditFrame);
    m_pCredits->setObjectName(QStringLiteral("ctl%1").arg(IDC_CREDITS));
    m_pCredits->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    m_pCredits->setMinimumSize(330, 14 * 18);
    m_pCredits->setWordWrap(true);
    auto *pCreditLayout = new QVBoxLayout(pCreditFrame);
    pCreditLayout->addWidget(m_pCredits);

    auto *pClose = new QPushButton(QStringLiteral("&Close"), this);
    pClose->setObjectName(QStringLiteral("ctl1"));
    pClose->setDefault(true);
    connect(pClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *pTop = new QHBoxLayout;
    pTop->addWidget(pPicture);
    pTop->addWidget(pAbout, 1);
    auto *pButtons = new QHBoxLayout;
    pButtons->addStretch();
    pButtons->addWidget(pClose);
    auto *pMain = new QVBoxLayout(this);
    pMain->addLayout(pTop);
    pMain->addWidget(pCreditFrame, 1);
    pMain->addLayout(pButtons);

    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &CAboutDlg::OnTimer);
}

void CAboutDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    StartAnimation();
}

void CAboutDlg::hideEvent(QHideEvent *event)
{
    m_timer.stop();
    QDialog::hideEvent(event);
}

void CAboutDlg::StartAnimation()
{
    g_nCounter = static_cast<int>(m_aCredits.size()) - 1;
    g_strCredits.clear();
    m_pCredits->clear();
    m_timer.start();
}

void CAboutDlg::OnTimer()
{
    if (g_nCounter < 1)
        m_timer.stop();  // this tick still adds the top line
    if (g_nCounter < 0 || g_nCounter >= m_aCredits.size())
        return;  // a late tick after the last line
    g_strCredits.prepend(m_aCredits.at(g_nCounter) + QStringLiteral("\n\n"));
    --g_nCounter;
    m_pCredits->setText(g_strCredits);
}

QString CAboutDlg::CreditText() const { return m_pCredits->text(); }
int CAboutDlg::Counter() { return g_nCounter; }
