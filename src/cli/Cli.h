#pragma once

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}

// Input the engines refuse (a syntax error, an unreadable file, a domain
// that cannot be searched): the message goes to standard error and the
// program exits with status 1. An empty message says the messages were
// already written (a batch with some bad items). Usage errors are CLI11's
// and exit with 2.
struct CInputError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

inline constexpr int kExitInput = 1;
inline constexpr int kExitUsage = 2;

// What every computing command shares: --json and its output. The JSON of
// every command has one shape: {"command", "input", "result", "texts"}, and
// a failure {"command", "input", "error"}. Numbers that are not finite are
// written as the strings "inf", "-inf" and "nan" (JSON has no such numbers,
// and null would not tell them apart).
struct SOutput
{
    bool json = false;

    // Adds --json to the command.
    void AddFlag(CLI::App &command);
    // The text lines on standard output, or the JSON value with the lines as
    // its display texts.
    void Print(const std::vector<std::string> &lines, const nlohmann::json &value) const;
    // The same where the display's texts differ from the plain lines (for a
    // batch, an array of them per expression).
    void Print(const std::vector<std::string> &lines, const nlohmann::json &value, const nlohmann::json &texts) const;

private:
    const CLI::App *m_pCommand = nullptr;
};

// A number as the JSON shows it: itself when finite, else "inf", "-inf" or "nan".
nlohmann::json JsonNumber(double value);
// The same for every number inside a value.
nlohmann::json JsonNumbers(nlohmann::json value);

// The command's name and the arguments it was given, as JSON; "source" in
// "input" says where the input came from: "argument", "file" or
// "standard input".
nlohmann::json CommandHeader(const CLI::App &command);

// Marks a positional argument as the name of a file to read ("-" or nothing
// for standard input), so the JSON can say where the input came from.
CLI::Option *FileArgument(CLI::Option *option);

// Whether the command was given --json.
bool JsonRequested(const CLI::App &command);

// Arguments that begin with '-' but are no option of their command (an
// expression such as -x^2) are passed on as values. Call after every command
// is registered and before parsing.
std::vector<std::string> ExpressionsAsValues(const CLI::App &app, int argc, char **argv);

// A message on standard error; warnings of the engines go there too.
void Warn(const std::string &message);

// The unit of the angles in a constant expression on the command line: the
// graph's radians, or degrees where the command works as the calculator.
enum class EAngleUnit { Radians, Degrees };
// What --help says of it.
std::string AngleUnitNote(EAngleUnit unit);

// A number given on the command line: a decimal number, or a constant
// expression in the function syntax ("pi/2", "-e^2", any case), its angles in
// unit. Anything else is refused naming what: an option ("--from") is bad
// usage, a positional argument ("X") bad input.
double ReadValue(const std::string &text, const std::string &what, EAngleUnit unit = EAngleUnit::Radians);

// A number option or argument: registered with a callback that reads it with
// ReadValue; its help ends with the angle unit.
void AddNumberOption(CLI::App &command, const std::string &names, double &value, const std::string &help,
                     bool required = false, EAngleUnit unit = EAngleUnit::Radians);

// A whole file, or standard input for "-"; CInputError when it cannot be read.
std::string ReadInput(const std::string &path);

// One expression to work on and the line of standard input it came from (0
// for the argument itself).
struct SExpressionLine
{
    int line = 0;
    std::string text;
};

// The expressions of an EXPR argument: the argument itself, or for "-" every
// non-blank line of standard input (a line may end in CR LF).
std::vector<SExpressionLine> ExpressionLines(const std::string &argument);
// Their texts only.
std::vector<std::string> ExpressionArguments(const std::string &argument);
// Where a batch item came from, for its messages: "standard input, line 3".
std::string LinePlace(int line);

// A function as the window takes it: lower case, its syntax checked. Throws
// CInputError with the window's syntax message.
std::string CheckedFunction(const std::string &text);

// Each group of subcommands registers itself here.
void AddExpressionCommands(CLI::App &app);
void AddAnalysisCommands(CLI::App &app);
void AddCalcCommands(CLI::App &app);
void AddMatrixCommands(CLI::App &app);
void AddRenderCommands(CLI::App &app);

// The manual page, made from the same option tables as --help.
std::string ManualPage(const CLI::App &app);
