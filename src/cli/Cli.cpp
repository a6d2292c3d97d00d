#include "cli/Cli.h"

#include "core/expr/Expression.h"
#include "core/expr/FunctionText.h"
#include "core/expr/NumberText.h"
#include "core/expr/SyntaxPlace.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

void SOutput::AddFlag(CLI::App &command)
{
    m_pCommand = &command;
    command.add_flag("--json", json, "Print the result as JSON: {\"command\", \"input\", \"result\", \"texts\"}, or "
                                     "{\"command\", \"input\", \"error\"} when it fails");
}

void SOutput::Print(const std::vector<std::string> &lines, const nlohmann::json &value) const
{
    Print(lines, value, lines);
}

void SOutput::Print(const std::vector<std::string> &lines, const nlohmann::json &value,
                    const std::vector<std::string> &texts) const
{
    if (json) {
        nlohmann::json answer = CommandHeader(*m_pCommand);
        answer["result"] = value;
        answer["texts"] = texts;
        std::cout << answer.dump(2) << '\n';
        return;
    }
    for (const std::string &line : lines)
        std::cout << line << '\n';
}

nlohmann::json CommandHeader(const CLI::App &command)
{
    nlohmann::json input = nlohmann::json::object();
    for (const CLI::Option *option : command.get_options()) {
        const std::string name = option->get_name();
        if (option->count() == 0 || name == "--json" || name == "--help")
            continue;
        const std::vector<std::string> &given = option->results();
        if (option->get_expected_max() == 0)
            input[name] = true;  // a flag
        else if (option->get_items_expected_max() > 1)
            input[name] = given;
        else
            input[name] = given.empty() ? std::string() : given.back();
    }
    return {{"command", command.get_name()}, {"input", input}};
}

bool JsonRequested(const CLI::App &command)
{
    const CLI::Option *option = command.get_option_no_throw("--json");
    return option != nullptr && option->count() > 0;
}

namespace {

// A plain number, negative ones included: CLI11 takes those as values itself.
bool IsPlainNumber(const std::string &text) { return ExamineNumber(text).kind != NumberKind::NotNumber; }

bool IsOptionOf(const CLI::App &command, const std::string &argument)
{
    std::string name = argument.substr(0, argument.find('='));
    if (name.size() > 2 && name[1] != '-')
        name.resize(2);  // -abc: the short option -a with its value
    for (const CLI::App *app = &command; app != nullptr; app = app->get_parent())
        if (app->get_option_no_throw(name) != nullptr)
            return true;
    return false;
}

}  // namespace

std::vector<std::string> ExpressionsAsValues(const CLI::App &app, int argc, char **argv)
{
    std::vector<std::string> args;
    const CLI::App *command = nullptr;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (command == nullptr && !arg.empty() && arg[0] != '-') {
            const auto named = [&](const CLI::App *sub) { return sub->check_name(arg); };
            const std::vector<const CLI::App *> found = app.get_subcommands(named);
            command = found.empty() ? nullptr : found.front();
        }
        else if (command != nullptr) {
            if (!optionsEnded && arg == "--") {
                // Not passed on: CLI11 lets a many-valued option before it take
                // it; every value after it is carried as below instead.
                optionsEnded = true;
                continue;
            }
            if (arg.size() > 1 && arg[0] == '-' && !IsPlainNumber(arg) && (optionsEnded || !IsOptionOf(*command, arg)))
                arg.insert(0, 1, ' ');  // CLI11 takes a leading blank for a value; the blank is dropped again
        }
        args.push_back(arg);
    }
    // CLI11 wants them last first.
    return {args.rbegin(), args.rend()};
}

void Warn(const std::string &message) { std::cerr << message << '\n'; }

double ReadValue(const std::string &text, const std::string &what)
{
    const SWholeNumber number = ExamineNumber(text);
    if (number.kind == NumberKind::Number)
        return number.value;
    // A plain number beyond double: the function syntax would read its "e"
    // as Euler's number and give a small, wrong value.
    if (number.kind == NumberKind::OutOfRange)
        throw CLI::ValidationError(what, "'" + text + "' is out of range");
    // Not a plain number: a constant expression in the function syntax.
    CExpression constant;
    constant.SetExpression(LowerAscii(text));
    if (!IsBlankText(text) && CheckSyntax(constant.m_strCoded) == 0 && constant.XPositions().empty()) {
        const double value = constant.Evaluate(0.0);
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
    if (CheckSyntax(candidate.m_strCoded) != 0)
        throw CInputError(SyntaxMessage(LocateSyntaxError(lower)));
    return lower;
}
