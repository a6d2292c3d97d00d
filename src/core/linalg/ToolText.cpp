#include "core/linalg/ToolText.h"

#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"
#include "core/linalg/Exact.h"

#include <algorithm>
#include <cmath>

namespace {

// ShownSolution with fewer digits where fewer hold.
std::string Digits(double value, int digits)
{
    if (digits >= 10 || !std::isfinite(value))
        return ShownSolution(value);
    std::string text = FormatSignificant(value, std::max(digits, 1));
    if (text.find('.') == std::string::npos) {
        const std::size_t exponent = std::min(text.find('e'), text.size());
        text.insert(exponent, 1, '.');
    }
    return text;
}

std::string HeldDigits(int digits)
{
    return digits < 1 ? "not even the first significant digit can be trusted"
                      : "only " + std::string(digits == 1 ? "the first significant digit" : "the first " +
                                 std::to_string(digits) + " significant digits") + " can be trusted";
}

}  // namespace

std::string SolutionText(int number, double value, int digits, const std::string &exact)
{
    const std::string shown = Digits(value, digits);
    const std::string head = "Var." + ShownSolution(number) + " = ";
    return exact.find('/') == std::string::npos ? head + shown : head + exact + " (" + shown + ")";
}

std::string SolutionText(const CLinearSystem &system, int number)
{
    const std::size_t i = static_cast<std::size_t>(number - 1);
    const bool bFraction = system.IsExact() && !system.TenDigitsExact(number - 1);
    return SolutionText(number, system.Solution().at(i), system.Digits(),
                        bFraction ? system.ExactTexts().at(i) : std::string());
}

std::string DeterminantFieldText(const CDeterminant &determinant)
{
    const std::string text = DeterminantText(determinant.Value(), determinant.Digits());
    const std::string &exact = determinant.ExactText();
    if (!determinant.IsExact() || exact.empty() || exact == text)
        return text;
    // A decimal that says it all (0.14 for 7/50) needs no fraction beside it.
    const std::optional<mpq_class> shown = ShortDecimal(ReadNumberText(text));
    return shown && mpq_class(exact) == *shown ? text : exact + " (" + text + ")";
}

std::optional<SToolMessage> DeterminantWarning(const CDeterminant &determinant)
{
    if (determinant.IsExact() || !(determinant.Condition() >= CMatrix::kWarnCondition))
        return std::nullopt;
    return SToolMessage{"The Matrix is nearly singular: the determinant may be inaccurate: condition number about " +
                            ShownCondition(determinant.Condition()) + ", so " +
                            HeldDigits(determinant.TrustedDigits()) + ".",
                        "Inaccurate result"};
}

std::string DeterminantText(double value, int digits)
{
    if (digits < 1 || value == 0)
        return "0";
    return FormatSignificant(value, std::min(digits, 15));
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
        return SToolMessage{"The system is numerically singular: condition number about " +
                                ShownCondition(system.Condition()) +
                                ", beyond what double precision can solve.\nPlease check the coefficients.",
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
    if (system.Outcome() != CLinearSystem::EOutcome::Solved || system.IsExact() ||
        !(system.Condition() >= CLinearSystem::kWarnCondition))
        return std::nullopt;
    return SToolMessage{"The equations are nearly dependent: the result may be inaccurate: condition number about " +
                            ShownCondition(system.Condition()) + ", so " + HeldDigits(system.Digits()) +
                            " (only those are shown).",
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
                            "condition number is about " + ShownCondition(result.condition) +
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
    if (!result.matrix || result.exact || !(result.condition >= CMatrix::kWarnCondition))
        return std::nullopt;
    return SToolMessage{"The Matrix is nearly singular: the result may be inaccurate: condition number about " +
                            ShownCondition(result.condition) + ", so " + HeldDigits(result.digits) +
                            " (only those are shown).",
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
