#include "cli/CliRunner.h"

#include "gui/ScriptedPrompts.h"
#include "gui/linalg/DetDlg.h"
#include "gui/linalg/EditGrid.h"
#include "gui/linalg/MatrixOpsDlg.h"
#include "gui/linalg/MatrixOpsControls.h"
#include "gui/linalg/MatrixResultDlg.h"
#include "gui/linalg/SimEqDlg.h"

#include "core/expr/ShownNumber.h"
#include "core/linalg/ToolText.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

using Cells = std::vector<std::vector<std::string>>;

Cells Hilbert(int n)
{
    Cells h(n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            h[i].push_back(ShownExact(1.0 / (i + j + 1)));
    return h;
}

// Hilbert coefficients and free terms making every unknown 1.
Cells HilbertSystem(int n)
{
    Cells h = Hilbert(n);
    for (int i = 0; i < n; ++i) {
        double sum = 0;
        for (int j = 0; j < n; ++j)
            sum += 1.0 / (i + j + 1);
        h[i].push_back(ShownExact(sum));
    }
    return h;
}

QByteArray Text(const Cells &rows)
{
    std::string text;
    for (const auto &row : rows) {
        for (const std::string &cell : row)
            text += cell + " ";
        text += '\n';
    }
    return QByteArray::fromStdString(text);
}

void Fill(CGrid &grid, const Cells &rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows[i].size(); ++j)
            grid.SetTextMatrix(static_cast<int>(i) + 1, static_cast<int>(j) + 1, QString::fromStdString(rows[i][j]));
}

// The cells below the header row from column first on, a line a row, one blank between cells.
std::string GridText(const CGrid &grid, int first)
{
    std::string text;
    for (int r = 1; r < grid.Rows(); ++r) {
        for (int c = first; c < grid.Cols(); ++c)
            text += (c > first ? " " : "") + grid.TextMatrix(r, c).toStdString();
        text += '\n';
    }
    return text;
}

// The command's columns with one blank between cells.
std::string Squeezed(const std::string &out)
{
    std::string text;
    for (std::size_t i = 0; i < out.size(); ++i)
        if (out[i] != ' ' || (i + 1 < out.size() && out[i + 1] != ' ' && !text.empty() && text.back() != '\n'))
            text += out[i];
    return text;
}

// The equation and determinant windows' results, or their refusals.
TEST(MatrixCli, SolveAndDetSayWhatTheirWindowsSay)
{
    const Cells systems[] = {{{"1", "2", "3", "9"}, {"2", "-1", "1", "8"}, {"3", "0", "-1", "3"}},
                             {{"1e-3", "2", "4"}, {"-7.25", "0", "1"}},
                             {{"1", "2", "3"}, {"2", "4", "6"}},
                             {{"1", "2", "3", "2"}, {"4", "5", "6", "2"}, {"4", "5", "6", "3"}},
                             {{"1", "1", "2"}, {"1", "-2", "3"}},
                             {{"3", "4", "-1", "15"}, {"-5", "2", "-4", "1"}, {"1", "-4", "5", "-11"}},
                             HilbertSystem(6), HilbertSystem(12)};
    for (const Cells &system : systems) {
        SCOPED_TRACE(Text(system).toStdString());
        ScriptedPrompts prompts;
        CSimEqDlg dlg;
        dlg.CountField()->setText(QString::number(system.size()));
        Fill(*dlg.CoefficientGrid(), system);
        dlg.OnSolve();
        const SCliRun run = RunCli({"solve"}, Text(system));
        const bool bRefused = !prompts.shown.empty() && prompts.shown[0].icon == MsgIcon::Stop;
        EXPECT_EQ(run.exitCode, bRefused ? 1 : 0);
        EXPECT_EQ(run.out, bRefused ? "" : GridText(*dlg.SolutionsGrid(), 0));
        EXPECT_EQ(run.err, prompts.shown.empty() ? "" : prompts.shown[0].text.toStdString() + "\n");
    }
    const Cells matrices[] = {{{"-3.5"}},
                              {{"0.1", "0.2", "0.3"}, {"0.4", "0.5", "0.6"}, {"0.7", "0.8", "1.9"}},
                              {{"1", "1"}, {"1", "1.000000000000005"}},
                              {{"123456789012", "1"}, {"-1", "987654321098"}}};
    for (const Cells &m : matrices) {
        ScriptedPrompts prompts;
        CDetDlg dlg;
        dlg.SizeField()->setText(QString::number(m.size()));
        Fill(*dlg.Grid(), m);
        dlg.OnSolve();
        EXPECT_EQ(RunCli({"det", "-"}, Text(m)).out, dlg.ResultField()->text().toStdString() + "\n");
    }
}

// The exact determinant is given in full beside the double.
TEST(MatrixCli, DetGivesTheExactIntegerInFull)
{
    Cells m(20, std::vector<std::string>(20));
    std::vector<mpz_class> values;
    unsigned seed = 11;
    for (auto &row : m)
        for (std::string &cell : row) {
            seed = seed * 1103515245u + 12345u;
            cell = std::to_string(static_cast<int>(seed >> 16) % 100000 - 50000);
        }
    // The oracle: fraction-free elimination here, in GMP integers.
    std::vector<std::vector<mpz_class>> a(20, std::vector<mpz_class>(20));
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 20; ++j)
            a[i][j] = mpz_class(m[i][j]);
    mpz_class previous = 1;
    int sign = 1;
    for (int k = 0; k < 20; ++k) {
        int p = k;
        while (p < 20 && a[p][k] == 0)
            ++p;
        ASSERT_LT(p, 20);
        if (p != k)
            std::swap(a[p], a[k]), sign = -sign;
        for (int i = k + 1; i < 20; ++i)
            for (int j = k + 1; j < 20; ++j)
                a[i][j] = (a[k][k] * a[i][j] - a[i][k] * a[k][j]) / previous;
        previous = a[k][k];
    }
    const std::string exact = mpz_class(sign * previous).get_str();
    const SCliRun run = RunCli({"det", "--json"}, Text(m));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("\"exact_text\": \"" + exact + "\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"exact\": true"), std::string::npos) << run.out;
    const SCliRun plain = RunCli({"det"}, Text(m));
    EXPECT_TRUE(plain.out.starts_with(exact + " (")) << plain.out;
}

// Each operation of Matrices Operations against the cells of its result
// window, or its refusal.
TEST(MatrixCli, OperationsPrintTheResultWindowsCells)
{
    const Cells wide{{"1", "2", "3"}, {"4", "5", "6"}};
    const struct
    {
        CMatrixOpsDlg::EOperation operation;
        Cells first, second;  // the second matrix, or the number
        QStringList args;     // the first matrix comes from standard input, B is the second
    } cases[] = {
        {CMatrixOpsDlg::Multiply, wide, {{"7", "8"}, {"9", "1"}, {"2", "3"}}, {"multiply", "-", "B"}},
        {CMatrixOpsDlg::Multiply, wide, {{"0"}}, {"multiply", "-", "B"}},
        {CMatrixOpsDlg::MultiplyNumber, {{"1", "-2"}, {"0.5", "4"}}, {{"-2.5"}}, {"scale", "-2.5"}},
        {CMatrixOpsDlg::Transpose, wide, {}, {"transpose"}},
        {CMatrixOpsDlg::Inverse, {{"0.1", "0.2", "0.3"}, {"0.4", "0.5", "0.6"}, {"0.7", "0.8", "0.9"}}, {}, {"inverse"}},
        {CMatrixOpsDlg::Inverse, {{"1e-120", "0"}, {"0", "-1e-120"}}, {}, {"inverse"}},
        {CMatrixOpsDlg::Adjoint, {{"2", "-1", "0"}, {"1", "3", "5"}, {"-4", "0.5", "1"}}, {}, {"adjugate"}},
        {CMatrixOpsDlg::Inverse, Hilbert(6), {}, {"inverse"}},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString() + "\n" + Text(c.first).toStdString());
        ScriptedPrompts prompts;
        MatrixMemory memory;
        CMatrixOpsDlg dlg(memory);
        std::optional<CMatrix> result;
        prompts.onDialog = [&result](QDialog &d) {
            result = dynamic_cast<CMatrixResultDlg &>(d).Result();
            return int(QDialog::Accepted);
        };
        // The window keeps the second matrix's rows in step with the first's
        // columns, so only the command line meets sizes that do not fit.
        const bool mismatch = c.operation == CMatrixOpsDlg::Multiply && c.second.size() != c.first[0].size();
        OperationList(dlg)->setCurrentIndex(c.operation);
        RowsField(dlg)->setText(QString::number(c.first.size()));
        ColumnsField(dlg)->setText(QString::number(c.first[0].size()));
        Fill(*FirstGrid(dlg), c.first);
        OperationList(dlg)->setCurrentIndex(c.operation);
        if (c.operation == CMatrixOpsDlg::MultiplyNumber)
            NumberField(dlg)->setText(QString::fromStdString(c.second[0][0]));
        if (c.operation == CMatrixOpsDlg::Multiply && !mismatch) {
            MatrixButton(dlg, 1)->click();
            ColumnsField(dlg)->setText(QString::number(c.second[0].size()));
            Fill(*SecondGrid(dlg), c.second);
        }
        dlg.OnCalculate();

        QStringList args = c.args;
        QFile second(dir.filePath("b.txt"));
        ASSERT_TRUE(second.open(QIODevice::WriteOnly));
        second.write(Text(c.second));
        second.close();
        args.replaceInStrings(QRegularExpression("^B$"), second.fileName());
        const SCliRun run = RunCli(args, Text(c.first));
        if (mismatch) {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.err, MultiplySizeMessage(static_cast<int>(c.first[0].size()), 1).text + "\n");
            continue;
        }
        EXPECT_EQ(run.exitCode, result ? 0 : 1);
        EXPECT_EQ(Squeezed(run.out),
                  result ? GridText(*CMatrixResultDlg(*result, nullptr, dlg.ResultDigits()).Grid(), 1) : "");
        EXPECT_EQ(run.err, prompts.shown.empty() ? "" : prompts.shown.at(0).text.toStdString() + "\n");
    }
}

}  // namespace
