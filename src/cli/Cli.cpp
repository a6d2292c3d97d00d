#include "cli/Cli.h"

#include "core/expr/Expression.h"
#include "core/expr/FunctionText.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

void SOutput::AddFlag(CLI::App &command)
{
    command.add_flag("--json", json, "Print the result as JSON");
}

void SOutput::Print(const std::vector<std::string> &lines, const nlohmann::json &value) const
{
    if (json) {
        std::cout << value.dump(2) << '\n';
        return;
    }
    for (const std::string &line : lines)
        std::cout << line << '\n';
}

void Warn(const std::string &message) { std::cerr << message << '\n'; }

double ReadValue(const std::string &text, const std::string &what)
{
    double value = 0.0;
    const char *first = text.data();
    const char *last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc() && end == last && std::isfinite(value))
        return value;
    // A plain number beyond double: the function syntax would read its "e"
    // as Euler's number and give a small, wrong value.
    if (error == std::errc::result_out_of_range && end == last)
        throw CLI::ValidationError(what, "'" + text + "' is out of range");
    // Not a plain number: a constant expression in the function syntax.
    CExpression constant;
    constant.SetExpression(LowerAscii(text));
    if (!IsBlankText(text) && CheckSyntax(constant.m_strCoded) == 0 && constant.XPositions().empty()) {
        value = constant.Evaluate(0.0);
        if (std::isfinite(value))
            return value;
    }
    throw CLI::ValidationError(what, "'" + text + "' is not a number");
}

void AddNumberOption(CLI::App &command, const std::string &names, double &value, const std::string &help,
                     bool required)
{
    CLI::Option *option = command.add_option_function<std::string>(
        names, [&value, names](const std::string &text) { value = ReadValue(text, names); }, help);
    option->type_name("NUMBER");
    if (required)
        option->required();
    else
        option->default_str(nlohmann::json(value).dump());
}

std::string ReadInput(const std::string &path)
{
    // Nothing this program reads comes near this; /dev/zero must not hang it.
    constexpr std::size_t kMaxBytes = 64u << 20;
    std::ifstream file;
    if (path != "-") {
        if (std::filesystem::is_directory(path))
            throw CInputError(path + ": is a directory");
        file.open(path, std::ios::binary);
        if (!file)
            throw CInputError(path + ": cannot be opened");
    }
    std::istream &in = path == "-" ? std::cin : file;
    std::string text;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxBytes)
            throw CInputError((path == "-" ? std::string("standard input") : path) + ": too large");
    }
    if (in.bad())
        throw CInputError(path + ": cannot be read");
    return text;
}

std::vector<std::string> ExpressionArguments(const std::string &argument)
{
    if (argument != "-")
        return {argument};
    std::vector<std::string> texts;
    std::istringstream lines(ReadInput("-"));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!IsBlankText(line))
            texts.push_back(line);
    }
    return texts;
}

std::string CheckedFunction(const std::string &text)
{
    const std::string lower = LowerAscii(text);
    if (IsBlankText(lower))
        throw CInputError("There is no function to work on.");
    CExpression candidate;
    candidate.SetExpression(lower);
    const int code = CheckSyntax(candidate.m_strCoded);
    if (code != 0)
        throw CInputError(SyntaxMessage(code));
    return lower;
}
