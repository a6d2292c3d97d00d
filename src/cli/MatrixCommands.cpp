#include "cli/Cli.h"
#include "cli/MatrixInput.h"

#include "core/linalg/LinearSystem.h"
#include "core/linalg/Matrix.h"
#include "core/linalg/Determinant.h"
#include "core/expr/ShownNumber.h"
#include "core/linalg/ToolText.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace {

using nlohmann::json;

const SShape kMatrixShape{kMaxMatrixSize, kMaxMatrixSize,
                          "the matrix tools take " + std::to_string(kMinMatrixSize) + " to " +
                              std::to_string(kMaxMatrixSize) + " rows and columns"};
const SShape kDeterminantShape{kMaxDeterminant, kMaxDeterminant,
                               "determinants have " + std::to_string(kMinDeterminant) + " to " +
                                   std::to_string(kMaxDeterminant) + " rows and columns"};
const SShape kSystemShape{kMaxEquations, kMaxEquations + 1,
                          "the equation solver takes " + std::to_string(kMinEquations) + " to " +
                              std::to_string(kMaxEquations) +
                              " equations, a line each: the coefficients, then the free term"};

std::string SizeText(const CMatrix &m) { return std::to_string(m.Rows()) + " x " + std::to_string(m.Cols()); }

void RequireSquare(const CMatrix &m, const std::string &path, const std::string &what)
{
    if (!m.IsSquare())
        throw CInputError(SourceName(path) + ": a " + SizeText(m) + " matrix is not square; " + what +
                          " needs as many rows as columns");
}

json Rows(const CMatrix &m)
{
    json rows = json::array();
    for (int i = 0; i < m.Rows(); ++i) {
        json row = json::array();
        for (int j = 0; j < m.Cols(); ++j)
            row.push_back(m.At(i, j));
        rows.push_back(row);
    }
    return rows;
}

// A result as the result window shows it: four decimals a cell, printed in
// right-aligned columns (which read back as a matrix).
void PrintMatrix(const SOutput &output, const std::string &operation, const CMatrix &m, int digits = 15)
{
    std::vector<std::vector<std::string>> texts(static_cast<std::size_t>(m.Rows()));
    std::vector<std::size_t> widths(static_cast<std::size_t>(m.Cols()), 0);
    for (int i = 0; i < m.Rows(); ++i)
        for (int j = 0; j < m.Cols(); ++j) {
            texts[i].push_back(ShownMatrixCell(m.At(i, j), digits));
            widths[j] = std::max(widths[j], texts[i].back().size());
        }
    std::vector<std::string> lines;
    for (const auto &row : texts) {
        std::string line;
        for (std::size_t j = 0; j < row.size(); ++j)
            line += (j ? "  " : "") + std::string(widths[j] - row[j].size(), ' ') + row[j];
        lines.push_back(line);
    }
    output.Print(lines, {{"operation", operation},
                         {"rows", m.Rows()},
                         {"cols", m.Cols()},
                         {"matrix", Rows(m)},
                         {"cells", texts}});
}

struct SSolve
{
    SOutput output;
    std::string file = "-";

    void Run()
    {
        const CMatrix m = ReadMatrix(file, kSystemShape);
        const int n = m.Rows();
        if (n < kMinEquations || m.Cols() != n + 1)
            throw CInputError(SourceName(file) + ": " + std::to_string(n) + (n == 1 ? " line" : " lines") + " of " +
                              Numbers(m.Cols()) + "; " + kSystemShape.rule +
                              " (n lines of n + 1 numbers)");
        CLinearSystem system(n, m.Values());
        if (!system.Solve())
            throw CInputError(SystemRefusal(system)->text);
        if (const auto warning = SystemWarning(system))
            Warn(warning->text);
        std::vector<std::string> lines;
        for (int i = 0; i < n; ++i)
            lines.push_back(SolutionText(system, i + 1));
        json result{{"solution", system.Solution()}, {"lines", lines}, {"exact", system.IsExact()},
                    {"digits", system.Digits()}};
        if (system.IsExact())
            result["exact_text"] = system.ExactTexts();
        output.Print(lines, result);
    }
};

struct SDeterminant
{
    SOutput output;
    std::string file = "-";

    void Run()
    {
        const CMatrix m = ReadMatrix(file, kDeterminantShape);
        RequireSquare(m, file, "a determinant");
        const CDeterminant determinant(m.Rows(), m.Values());
        const std::string text = DeterminantFieldText(determinant);
        if (const auto warning = DeterminantWarning(determinant))
            Warn(warning->text);
        json result{{"determinant", determinant.Value()},
                    {"exact", determinant.IsExact()},
                    {"digits", determinant.Digits()},
                    {"text", text}};
        if (determinant.IsExact())
            result["exact_text"] = determinant.ExactText();
        output.Print({text}, result);
    }
};

// transpose, inverse, adjugate: one matrix in, one out.
struct SUnary
{
    enum EOperation { Transpose, Inverse, Adjugate };

    SOutput output;
    std::string file = "-";
    EOperation operation = Transpose;
    std::string name;

    void Run()
    {
        const CMatrix m = ReadMatrix(file, kMatrixShape);
        CMatrix::SResult result;
        switch (operation) {
        case Transpose:
            result.matrix = m.Transpose();
            break;
        case Inverse:
            RequireSquare(m, file, "the inverse");
            result = m.InverseChecked();
            break;
        case Adjugate:
            RequireSquare(m, file, "the adjugate");
            result = m.AdjugateChecked();
            break;
        }
        // The window's messages for every result that cannot be had.
        if (const auto refusal = MatrixRefusal(result, operation == Inverse))
            throw CInputError(refusal->text);
        if (const auto warning = MatrixWarning(result))
            Warn(warning->text);
        PrintMatrix(output, name, *result.matrix, result.digits);
    }
};

struct SMultiply
{
    SOutput output;
    std::string first, second;

    void Run()
    {
        if (first == "-" && second == "-")
            throw CLI::ValidationError("B", "standard input can give only one of the matrices");
        const CMatrix a = ReadMatrix(first, kMatrixShape);
        const CMatrix b = ReadMatrix(second, kMatrixShape);
        if (a.Cols() != b.Rows())
            throw CInputError(MultiplySizeMessage(a.Cols(), b.Rows()).text);
        const CMatrix::SResult product = CMatrix::Checked(a.Multiply(b));
        if (const auto refusal = MatrixRefusal(product, false))
            throw CInputError(refusal->text);
        PrintMatrix(output, "multiply", *product.matrix);
    }
};

struct SScale
{
    SOutput output;
    double factor = 0.0;
    std::string file = "-";

    void Run()
    {
        const CMatrix::SResult result = CMatrix::Checked(ReadMatrix(file, kMatrixShape).Scale(factor));
        if (const auto refusal = MatrixRefusal(result, false))
            throw CInputError(refusal->text);
        PrintMatrix(output, "scale", *result.matrix);
    }
};

const char *const kFileHelp = "File with the matrix, one row a line, numbers separated by blanks or commas; "
                              "- or nothing for standard input";

CLI::App *AddFileCommand(CLI::App &app, const std::string &name, const std::string &help, std::string &file,
                         SOutput &output)
{
    CLI::App *cmd = app.add_subcommand(name, help);
    FileArgument(cmd->add_option("FILE", file, kFileHelp));
    output.AddFlag(*cmd);
    return cmd;
}

}  // namespace

void AddMatrixCommands(CLI::App &app)
{
    auto solve = std::make_shared<SSolve>();
    AddFileCommand(app, "solve",
                   "Solves n linear equations in n unknowns, as the Simultaneous Equation Calculator: each line "
                   "holds an equation's n coefficients, then its free term",
                   solve->file, solve->output)
        ->callback([solve] { solve->Run(); });

    auto det = std::make_shared<SDeterminant>();
    AddFileCommand(app, "det", "The determinant of a square matrix, as Solving Determinants shows it", det->file,
                   det->output)
        ->callback([det] { det->Run(); });

    const struct
    {
        const char *name;
        const char *alias;
        SUnary::EOperation operation;
        const char *help;
    } unary[] = {
        {"inverse", nullptr, SUnary::Inverse, "The inverse of a square matrix (four decimals a cell)"},
        {"adjugate", "adjoint", SUnary::Adjugate,
         "The adjugate (adjoint) of a square matrix: the transpose of its cofactors (four decimals a cell)"},
        {"transpose", nullptr, SUnary::Transpose, "The transpose of a matrix (four decimals a cell)"},
    };
    for (const auto &u : unary) {
        auto command = std::make_shared<SUnary>();
        command->operation = u.operation;
        command->name = u.name;
        CLI::App *cmd = AddFileCommand(app, u.name, u.help, command->file, command->output);
        if (u.alias)
            cmd->alias(u.alias);
        cmd->callback([command] { command->Run(); });
    }

    auto multiply = std::make_shared<SMultiply>();
    CLI::App *cmd = app.add_subcommand("multiply", "The product A B of two matrices: A needs as many columns as B "
                                                   "has rows (four decimals a cell)");
    FileArgument(cmd->add_option("A", multiply->first, "File with the first matrix (- for standard input)"))->required();
    FileArgument(cmd->add_option("B", multiply->second, "File with the second matrix (- for standard input)"))->required();
    multiply->output.AddFlag(*cmd);
    cmd->callback([multiply] { multiply->Run(); });

    auto scale = std::make_shared<SScale>();
    cmd = app.add_subcommand("scale", "A matrix multiplied by a number (four decimals a cell)");
    cmd->add_option_function<std::string>(
           "S", [scale](const std::string &text) { scale->factor = ReadValue(text, "S"); },
           "The number, or a constant expression such as pi/2 or -pi (" + AngleUnitNote(EAngleUnit::Radians) + ")")
        ->type_name("NUMBER")
        ->required();
    FileArgument(cmd->add_option("FILE", scale->file, kFileHelp));
    scale->output.AddFlag(*cmd);
    cmd->callback([scale] { scale->Run(); });
}
