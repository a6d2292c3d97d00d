#include "core/linalg/ToolText.h"

#include "core/expr/NumberText.h"

#include <algorithm>
#include <cmath>

std::string SolutionText(int number, double value)
{
    return "Var." + FormatTenDigits(number) + " = " + FormatTenDigits(value);
}

std::string DeterminantText(double value, int digits)
{
    if (digits < 1 || value == 0)
        return "0";
    return FormatSignificant(value, std::min(digits, 15));
}

std::string ResultCellText(double value)
{
    if (value == 0)
        return FormatFixed(0.0, 4);  // also for -0
    const std::string text = FormatFixed(value, 4);
    const std::size_t first = text.find_first_not_of("-0.");
    const std::size_t significant = first == std::string::npos ? 0 : text.size() - first - (text.find('.') > first ? 1 : 0);
    // Past 15 digits before the point the fixed form shows binary noise (1e120
    // would read 999999999999999980003...), so that goes to exponent form too.
    return significant < 4 || std::abs(value) >= 1e15 ? FormatExp(value, 4) : text;
}

SToolMessage SingularSystemMessage()
{
    return {"Error 0x07:\n\nYou entered an invalaid input!\nPlease decrease the number of variables by 1 and try again.",
            "Invalid input, extra variable"};
}

SToolMessage SingularMatrixMessage()
{
    return {"Error 0x08:\n\nCan't find the inverse Matrix!The determinant of Matrix equal to zero!\n"
            "Please try another Matrix",
            "Invalid Matrix"};
}

SToolMessage MultiplySizeMessage(int firstCols, int secondRows)
{
    return {"Can't multiply the matrices!\n\nThe first matrix has " + std::to_string(firstCols) +
                " columns but the second has " + std::to_string(secondRows) +
                " rows.\nPlease give the second matrix as many rows as the first has columns.",
            "Different size "};
}

namespace {

const char *const kOutOfRange = "beyond the range of numbers (about 1.8e308)";

}  // namespace

std::optional<SToolMessage> SystemRefusal(const CLinearSystem &system)
{
    const std::string rank = std::to_string(system.Rank());
    switch (system.Outcome()) {
    case CLinearSystem::EOutcome::Solved:
        return std::nullopt;
    case CLinearSystem::EOutcome::InfinitelyMany:
        return SToolMessage{"The system has infinitely many solutions:\nonly " + rank + " of the " +
                                std::to_string(system.Size()) + " equations are independent (rank " + rank +
                                "), so some variables are free.\nPlease check the coefficients.",
                            "Infinitely many solutions"};
    case CLinearSystem::EOutcome::NoSolution:
        return SToolMessage{"The system has no solution:\nthe equations contradict each other (the coefficients have "
                            "rank " + rank + ", with the free terms rank " + std::to_string(system.Rank() + 1) +
                                ").\nPlease check the coefficients and the free terms.",
                            "No solution"};
    case CLinearSystem::EOutcome::TooIllConditioned:
        return SToolMessage{"The system can't be solved reliably:\nits condition number is about " +
                                FormatCondition(system.Condition()) +
                                ", so no digit of a solution could be trusted.\nPlease check the coefficients.",
                            "Ill-conditioned system"};
    case CLinearSystem::EOutcome::OutOfRange:
        return SToolMessage{std::string("The solution can't be shown:\nsome of its values are ") + kOutOfRange + ".",
                            "Solution out of range"};
    case CLinearSystem::EOutcome::FirstColumnZero:
    case CLinearSystem::EOutcome::Malformed:
        break;
    }
    return SingularSystemMessage();
}

std::optional<SToolMessage> SystemWarning(const CLinearSystem &system)
{
    if (system.Outcome() != CLinearSystem::EOutcome::Solved || !(system.Condition() > CLinearSystem::kWarnCondition))
        return std::nullopt;
    return SToolMessage{"The equations are nearly dependent: the result may be inaccurate: condition number about " +
                            FormatCondition(system.Condition()) + ".",
                        "Inaccurate result"};
}

std::optional<SToolMessage> MatrixRefusal(const CMatrix::SResult &result, bool bInverse)
{
    using ETrouble = CMatrix::ETrouble;
    const std::string what = bInverse ? "inverse" : "result";
    switch (result.trouble) {
    case ETrouble::None:
        return std::nullopt;
    case ETrouble::TooIllConditioned:
        return SToolMessage{"Error 0x08:\n\nCan't find the inverse Matrix!The Matrix is too close to singular: its "
                            "condition number is about " + FormatCondition(result.condition) +
                                ",\nso no digit of the inverse could be trusted.\nPlease try another Matrix",
                            "Invalid Matrix"};
    case ETrouble::OutOfRange:
        return SToolMessage{"Can't show the " + what + " Matrix!Some of its elements are " + kOutOfRange +
                                ".\nPlease try another Matrix",
                            "Invalid Matrix"};
    case ETrouble::NotSquare:
    case ETrouble::Singular:
        break;
    }
    return SingularMatrixMessage();
}

std::optional<SToolMessage> MatrixWarning(const CMatrix::SResult &result)
{
    if (!result.matrix || !(result.condition > CMatrix::kWarnCondition))
        return std::nullopt;
    return SToolMessage{"The Matrix is nearly singular: the result may be inaccurate: condition number about " +
                            FormatCondition(result.condition) + ".",
                        "Inaccurate result"};
}

SToolMessage CellMessage(int row, int col, const std::string &text)
{
    std::string shown;
    for (char c : text.substr(0, 24))
        shown += static_cast<unsigned char>(c) >= ' ' ? c : '?';
    return {"The cell in row " + std::to_string(row) + ", column " + std::to_string(col) + " holds '" + shown +
                (text.size() > 24 ? "...'" : "'") +
                ", which is not a number.\nPlease enter a number such as 1.5 or -2e-3 (with a decimal point), or leave "
                "the cell empty for 0.",
            "Invalid input"};
}
