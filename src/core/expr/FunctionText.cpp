#include "core/expr/FunctionText.h"

std::string LowerAscii(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool IsBlankText(const std::string &text) { return text.find_first_not_of(' ') == std::string::npos; }

std::string SyntaxMessage(int code)
{
    static const char *const kProblems[] = {
        "Expression contains invalid character(s)!",
        "Expression contains invalid operator syntax!",
        "Number of open brakcets mismatches closed brackets'!",
    };
    if (code < 1 || code > 3)
        return {};
    return "Error 0x0" + std::to_string(code) + ":\n\n" + kProblems[code - 1] + "\nPlease correct the error and try again";
}
