#include "gui/analysis/IntegrateCommand.h"
#include "gui/analysis/IntegrateDlg.h"

#include "gui/MessageRecorder.h"
#include "gui/view/ViewFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTimer>

#include <functional>
#include <vector>

namespace {

// Fills the integration dialog as a user would and presses a button.
struct SEntry
{
    const char *from;
    const char *to;
    const char *divisions = "0.01";
    int rule = 1;
    int function = -1;  // combo index; -1 keeps the selection
    bool integrate = true;
};

class IntegrateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.SetHost(&host);
        view.resize(500, 400);
    }
    void Plot(std::initializer_list<const char *> texts)
    {
        for (const char *text : texts) {
            host.edit = QString::fromLatin1(text);
            view.OnPlot();
        }
    }
    // Runs the command; each dialog run takes the next entry and records
    // what the dialog showed when it came up.
    void Run(std::vector<SEntry> entries)
    {
        std::size_t next = 0;
        RunIntegrateCommand(view, nullptr, [&](QDialog &d) {
            auto &dlg = static_cast<CIntegrateDlg &>(d);
            shownFields.push_back({dlg.FromField()->text(), dlg.ToField()->text(), dlg.DivisionsField()->text(),
                                   dlg.FunctionList()->currentText()});
            shownCount = dlg.FunctionList()->count();
            if (next >= entries.size())
                return static_cast<int>(QDialog::Rejected);
            const SEntry &e = entries[next++];
            if (!e.integrate)
                return static_cast<int>(QDialog::Rejected);
            if (e.function >= 0)
                dlg.FunctionList()->setCurrentIndex(e.function);
            dlg.FromField()->setText(QString::fromLatin1(e.from));
            dlg.ToField()->setText(QString::fromLatin1(e.to));
            dlg.DivisionsField()->setText(QString::fromLatin1(e.divisions));
            dlg.Rules()->button(e.rule)->click();
            dlg.setResult(QDialog::Rejected);
            dlg.accept();
            // A refused entry keeps the dialog open; the user then cancels.
            return dlg.result();
        });
        runs = next;
    }

    CFakeHost host;
    CCorvantaView view;
    MessageRecorder messages;
    std::vector<QStringList> shownFields;
    int shownCount = 0;
    std::size_t runs = 0;
};

TEST_F(IntegrateTest, NothingToIntegrate)
{
    Run({});
    EXPECT_EQ(runs, 0u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error 0x05:\n\nThe are no expressions to inegrate!\nPlease enter at lease one "
                                      "function and try again.");
    EXPECT_EQ(messages.shown[0].caption, "No expression found");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
}

TEST_F(IntegrateTest, ResultBox)
{
    const struct { const char *f; SEntry e; const char *shown; } cases[] = {
        {"1", {"0", "1", "0.3", 0}, "1.000000"},
        {"ln(x)", {"-1", "1", "0.01", 1}, "Invalid Domain!"},
        {"x^2", {"3", "3", "0.01", 1}, "0.000000"},
        {"1/x", {"0", "1", "0.5", 1}, "inf"},  // infinite values are not caught
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.f);
        view.ClearGraph(false);
        Plot({c.f});
        messages.Clear();
        Run({c.e});
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, c.shown);
        EXPECT_EQ(messages.shown[0].caption, "Limited Integration Result");
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
    }
}

TEST_F(IntegrateTest, ReversedLimitsBringTheDialogBackWithTheValuesJustEntered)
{
    Plot({"x", "x^2"});
    Run({{"5", "1", "0.25", 2, 0}, {"1", "5", "0.25", 2}});
    ASSERT_EQ(runs, 2u);
    EXPECT_EQ(shownFields[0], (QStringList{"0", "0", "0.01", "x^2"}));
    EXPECT_EQ(shownFields[1], (QStringList{"5", "1", "0.25", "x"}));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "Error 0x04:\n\nThe upper limit of the integral cannot be less than the lower "
                                      "limit!\nPlease re-enter the integral.");
    EXPECT_EQ(messages.shown[0].caption, "Invalid Data");
    EXPECT_EQ(messages.shown[1].text, "12.000000");  // x from 1 to 5
}

TEST_F(IntegrateTest, FieldsRefusedByTheDataExchange)
{
    Plot({"x"});
    const struct { const char *from, *divisions; const char *message; } cases[] = {
        {"0", "0", "Please enter a number between 1e-05 and 1."},
        {"0", "2", "Please enter a number between 1e-05 and 1."},
        {"1x", "0.01", "Please enter a number."},
        {"nan", "0.01", "Please enter a number."},
        {"0", "1e400", "Please enter a number."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        messages.Clear();
        Run({{c.from, "1", c.divisions, 1}});
        ASSERT_EQ(messages.shown.size(), 1u);  // no result: the user cancelled
        EXPECT_EQ(messages.shown[0].text, c.message);
    }
    // The ends of the range are accepted.
    for (const char *divisions : {"0.00001", " 1 ", "+1e-5"}) {
        messages.Clear();
        Run({{"0", "1", divisions, 1}});
        ASSERT_EQ(messages.shown.size(), 1u) << divisions;
        EXPECT_EQ(messages.shown[0].caption, "Limited Integration Result") << divisions;
    }
}

TEST_F(IntegrateTest, ChoosesAmongThePlottedFunctions)
{
    Plot({"x", "x^2", "x^3"});
    view.OnSelectFunction(1);
    Run({{"0", "1", "0.01", 2, 2}});
    EXPECT_EQ(shownCount, 3);
    EXPECT_EQ(shownFields[0][3], "x^2");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "0.250000");
}

TEST_F(IntegrateTest, NoSelectionFallsBackToTheFirstFunction)
{
    Plot({"x", "x^2"});
    view.m_nSelected = -1;
    Run({{"0", "2", "0.01", 1}});
    EXPECT_EQ(shownFields[0][3], "x");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "2.000000");
}

TEST_F(IntegrateTest, CancelledSumsShowNoResult)
{
    Plot({"sin(x)*x^2"});
    // 2e8 evaluations: the progress window comes up, and Cancel is pressed.
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *p = qobject_cast<QProgressDialog *>(w))
                p->cancel();
    });
    cancel.start(400);
    QElapsedTimer clock;
    clock.start();
    Run({{"0", "1000", "0.00001", 2}});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_LT(clock.elapsed(), 30000);
}

}  // namespace
