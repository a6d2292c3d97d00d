#include "gui/analysis/PointsTableCommand.h"
#include "gui/analysis/PointsTableDlg.h"
#include "gui/analysis/TableSettingsDlg.h"

#include "gui/MessageRecorder.h"
#include "gui/view/ViewFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace {

class PointsTableTest : public ::testing::Test
{
protected:
    // Types the three settings and presses OK; whether the dialog closed.
    bool Confirm(const char *from, const char *to, const char *increment)
    {
        settings.FromField()->setText(QString::fromLatin1(from));
        settings.ToField()->setText(QString::fromLatin1(to));
        settings.IncrementField()->setText(QString::fromLatin1(increment));
        settings.setResult(QDialog::Rejected);
        settings.accept();
        return settings.result() == QDialog::Accepted;
    }
    QStringList Fields() const
    {
        return {settings.FromField()->text(), settings.ToField()->text(), settings.IncrementField()->text()};
    }
    QStringList Table(const CPointsTableDlg &dlg) const
    {
        QStringList lines;
        for (int i = 0; i < dlg.Table()->count(); ++i)
            lines << dlg.Table()->item(i)->text();
        return lines;
    }

    CTableSettingsDlg settings;
    MessageRecorder messages;
};

TEST_F(PointsTableTest, SettingsCloseOnlyOnGoodValues)
{
    EXPECT_EQ(Fields(), (QStringList{"-20", "20", "0.5"}));
    const struct { const char *from, *to, *inc; QStringList captions; } cases[] = {
        {"5", "1", "0", {"Invalid Increment", "Invalid domain"}},
        {"0", "1", "x", {"Corvanta"}},  // not a number
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.captions.join(' ').toStdString());
        messages.Clear();
        EXPECT_FALSE(Confirm(c.from, c.to, c.inc));
        QStringList captions;
        for (const auto &m : messages.shown)
            captions << m.caption;
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ(settings.Confirmed().from, -20.0);  // nothing confirmed
    }
    // Exactly 10,000 steps are accepted.
    messages.Clear();
    EXPECT_TRUE(Confirm("0", "1", "0.0001"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(settings.Confirmed().increment, 0.0001);
}

TEST_F(PointsTableTest, CancelLeavesTheConfirmedValues)
{
    ASSERT_TRUE(Confirm("-1", "1", "0.5"));
    settings.FromField()->setText(QStringLiteral("7"));
    EXPECT_FALSE(Confirm("3", "2", "0"));
    settings.reject();
    EXPECT_EQ(Fields(), (QStringList{"-1", "1", "0.5"}));
    EXPECT_EQ(settings.m_dFrom, -1.0);
    EXPECT_EQ(settings.m_dIncrement, 0.5);
}

TEST_F(PointsTableTest, TablesOfTheSelectedFunction)
{
    CPointsTableDlg dlg(settings);
    dlg.m_strFunctions = {"x^2", "", "1/x", "", ""};
    dlg.m_nCurrent = 0;
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.FunctionList()->count(), 2);
    EXPECT_EQ(QString::fromLatin1(CPointsTableDlg::kHeading),
              "             x                                       y");

    dlg.OnCalculate();
    QStringList lines = Table(dlg);
    ASSERT_EQ(lines.size(), 81);
    EXPECT_EQ(lines.first(), "-2.00000e+01                  4.00000e+02         ");
    EXPECT_EQ(lines.last(), "2.00000e+01                   4.00000e+02         ");

    ASSERT_TRUE(Confirm("-1", "1", "0.5"));
    dlg.FunctionList()->setCurrentIndex(1);
    dlg.OnCalculate();
    lines = Table(dlg);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[2], "0.00000e+00                   INFINTY             ");
    EXPECT_EQ(dlg.m_strFunction, "1/x");
}

TEST_F(PointsTableTest, CommandRunsSettingsThenTable)
{
    CFakeHost host;
    CCorvantaView view;
    view.SetHost(&host);
    for (const char *f : {"x", "x^2"}) {
        host.edit = QString::fromLatin1(f);
        view.OnPlot();
    }
    QStringList runs;
    int rows = -1;
    QString chosen;
    RunPointsTableCommand(view, settings, nullptr, [&](QDialog &d) {
        runs << d.windowTitle();
        if (&d == &settings)
            return Confirm("0", "1", "0.01") ? int(QDialog::Accepted) : int(QDialog::Rejected);
        auto &table = static_cast<CPointsTableDlg &>(d);
        chosen = table.FunctionList()->currentText();
        table.OnCalculate();
        rows = table.Table()->count();
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(runs, (QStringList{"Settings of Points Table", "Make Points Table"}));
    EXPECT_EQ(chosen, "x^2");
    EXPECT_EQ(rows, 101);  // x = 1 is listed

    // Cancel in the settings: no table at all; the next run shows the last
    // confirmed values.
    runs.clear();
    RunPointsTableCommand(view, settings, nullptr, [&](QDialog &d) {
        runs << d.windowTitle();
        settings.FromField()->setText(QStringLiteral("9"));
        d.reject();
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(runs, (QStringList{"Settings of Points Table"}));
    EXPECT_EQ(Fields(), (QStringList{"0", "1", "0.01"}));
}

TEST_F(PointsTableTest, NoSelectedFunctionGivesAnEmptyTable)
{
    CFakeHost host;
    CCorvantaView view;
    view.SetHost(&host);
    host.edit = QStringLiteral("x");
    view.OnPlot();
    view.ClearGraph(false);
    int rows = -1, entries = -1;
    RunPointsTableCommand(view, settings, nullptr, [&](QDialog &d) {
        if (&d == &settings)
            return int(QDialog::Accepted);
        auto &table = static_cast<CPointsTableDlg &>(d);
        entries = table.FunctionList()->count();
        table.OnCalculate();
        rows = table.Table()->count();
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(entries, 0);
    EXPECT_EQ(rows, 0);
}

}  // namespace
