#include "cli/Cli.h"

#include "core/expr/ConstantValue.h"
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
    Print(lines, value, nlohmann::json(lines));
}

void SOutput::Print(const std::vector<std::string> &lines, const nlohmann::json &value,
                    const nlohmann::json &texts) const
{
    if (json) {
        nlohmann::json answer = CommandHeader(*m_pCommand);
        answer["result"] = JsonNumbers(value);
        answer["texts"] = texts;
        std::cout << answer.dump(2) << '\n';
        return;
    }
    for (const std::string &line : lines)
        std::cout << line << '\n';
}

nlohmann::json JsonNumber(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    return value;
}

nlohmann::json JsonNumbers(nlohmann::json value)
{
    if (value.is_number_float())
        return JsonNumber(value.get<double>());
    if (value.is_structured())
        for (nlohmann::json &item : value)
            item = JsonNumbers(std::move(item));
    return value;
}

namespace {

constexpr const char *kFileType = "FILE";
constexpr const char *kFromArgument = "argument";
constexpr const char *kFromFile = "file";
constexpr const char *kFromInput = "standard input";

// Where the positional arguments took their input from.
std::string InputSource(const CLI::App &command)
{
    bool standardInput = false, file = false;
    for (const CLI::Option *option : command.get_options()) {
        if (!option->get_positional())
            continue;
        const bool isFile = option->get_type_name() == kFileType;
        const bool dash = option->count() > 0 && !option->results().empty() && option->results().front() == "-";
        if (dash || (isFile && option->count() == 0))
            standardInput = true;
        else if (isFile)
            file = true;
    }
    if (standardInput && file)
        return std::string(kFromFile) + " and " + kFromInput;
    return standardInput ? kFromInput : file ? kFromFile : kFromArgument;
}

}  // namespace

CLI::Option *FileArgument(CLI::Option *option) { return option->type_name(kFileType); }

nlohmann::json CommandHeader(const CLI::App &command)
{
    nlohmann::json input = nlohmann::json::object();
    input["source"] = InputSource(command);
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

// CLI11 takes "-" and a digit for a value itself ("-5", "-1e-3"), unless the
// digit is an option; anything else after a minus sign ("-.5", "-pi") it would
// take for an option.
bool TakenAsValue(const CLI::App &command, const std::string &text)
{
    return text.size() > 1 && text[1] >= '0' && text[1] <= '9' &&
           command.get_option_no_throw(text.substr(0, 2)) == nullptr;
}

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
            if (arg.size() > 1 && arg[0] == '-' && !TakenAsValue(*command, arg) &&
                (optionsEnded || !IsOptionOf(*command, arg)))
                arg.insert(0, 1, ' ');  // CLI11 takes a leading blank for a value; the blank is dropped again
        }
        args.push_back(arg);
    }
    // CLI11 wants them last first.
    return {args.rbegin(), args.rend()};
}

void Warn(const std::string &message) { std::cerr << message << '\n'; }

std::string AngleUnitNote(EAngleUnit unit)
{
    return unit == EAngleUnit::Degrees ? "angles in expressions in degrees, as the calculator"
                                       : "angles in expressions in radians, as the graph";
}

namespace {

// An option's bad value is bad usage; a positional argument's is bad input.
[[noreturn]] void RefuseValue(const std::string &what, const std::string &why)
{
    if (what.starts_with("-"))
        throw CLI::ValidationError(what, why);
    throw CInputError(what + ": " + why);
}

}  // namespace

double ReadValue(const std::string &text, const std::string &what, EAngleUnit unit)
{
    // A plain number beyond double: the function syntax would read its "e"
    // as Euler's number and give a small, wrong value.
    if (ExamineNumber(LowerAscii(text)).kind == NumberKind::OutOfRange)
        RefuseValue(what, "'" + text + "' is out of range");
    if (const std::optional<double> value = ReadConstantValue(text, unit == EAngleUnit::Degrees))
        return *value;
    RefuseValue(what, "'" + text + "' is not a number");
}

void AddNumberOption(CLI::App &command, const std::string &names, double &value, const std::string &help,
                     bool required, EAngleUnit unit)
{
    CLI::Option *option = command.add_option_function<std::string>(
        names, [&value, names, unit](const std::string &text) { value = ReadValue(text, names, unit); },
        help + " (" + AngleUnitNote(unit) + ")");
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

std::vector<SExpressionLine> ExpressionLines(const std::string &argument)
{
    if (argument != "-")
        return {{0, argument}};
    std::vector<SExpressionLine> texts;
    std::istringstream lines(ReadInput("-"));
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!IsBlankText(line))
            texts.push_back({number, line});
    }
    return texts;
}

std::vector<std::string> ExpressionArguments(const std::string &argument)
{
    std::vector<std::string> texts;
    for (SExpressionLine &line : ExpressionLines(argument))
        texts.push_back(std::move(line.text));
    return texts;
}

std::string LinePlace(int line) { return std::string(kFromInput) + ", line " + std::to_string(line); }

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
