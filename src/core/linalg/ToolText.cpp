#include "core/linalg/ToolText.h"

#include "core/expr/NumberText.h"
#include "core/linalg/NumberFormat.h"

std::string SolutionText(int number, double value)
{
    return "Var." + FormatTenDigits(number) + " = " + FormatTenDigits(value);
}

std::string DeterminantText(double value) { return FormatSignificant(value, 15); }

std::string ResultCellText(double value) { return FormatFixed(value, 4); }

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
