#include "core/expr/FunctionText.h"

#include "core/expr/SyntaxPlace.h"

std::string LowerAscii(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool IsBlankText(const std::string &text) { return text.find_first_not_of(' ') == std::string::npos; }

std::string SyntaxMessage(int code) { return SyntaxMessage(SSyntaxPlace{code, 0, {}, {}}); }

std::string SyntaxPlaceLine(const SSyntaxPlace &place)
{
    if (place.code == 0 || place.position == 0)
        return {};
    std::string line = "The first is '" + place.character + "', at character " +
                       std::to_string(place.position) + ".";
    if (!place.suggestion.empty())
        line += " Did you mean '" + place.suggestion + "'?";
    return line;
}

std::string SyntaxMessage(const SSyntaxPlace &place)
{
    const int code = place.code;
    static const char *const kProblems[] = {
        "Expression contains invalid character(s)!",
        "Expression contains invalid operator syntax!",
        "Number of open brakcets mismatches closed brackets'!",
    };
    if (code < 1 || code > 3)
        return {};
    const std::string where = SyntaxPlaceLine(place);
    return "Error 0x0" + std::to_string(code) + ":\n\n" + kProblems[code - 1] + "\n" + (where.empty() ? "" : where + "\n") +
           "Please correct the error and try again";
}
