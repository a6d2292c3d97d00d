#pragma once

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>
#include <vector>

namespace CLI {
class App;
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
// a failure {"command", "input", "error"}.
struct SOutput
{
    bool json = false;

    // Adds --json to the command.
    void AddFlag(CLI::App &command);
    // The text lines on standard output, or the JSON value with the lines as
    // its display texts.
    void Print(const std::vector<std::string> &lines, const nlohmann::json &value) const;
    // The same where the display's texts differ from the plain lines.
    void Print(const std::vector<std::string> &lines, const nlohmann::json &value,
               const std::vector<std::string> &texts) const;

private:
    const CLI::App *m_pCommand = nullptr;
};

// The command's name and the arguments it was given, as JSON.
nlohmann::json CommandHeader(const CLI::App &command);

// Whether the command was given --json.
bool JsonRequested(const CLI::App &command);

// Arguments that begin with '-' but are no option of their command (an
// expression such as -x^2) are passed on as values. Call after every command
// is registered and before parsing.
std::vector<std::string> ExpressionsAsValues(const CLI::App &app, int argc, char **argv);

// A message on standard error; warnings of the engines go there too.
void Warn(const std::string &message);

// A number given on the command line: a decimal number, or a constant
// expression in the function syntax ("pi/2", "-e^2"). Throws a usage error
// naming the option for anything else.
double ReadValue(const std::string &text, const std::string &what);

// A number option: registers it with a validator that reads it with ReadValue.
void AddNumberOption(CLI::App &command, const std::string &names, double &value, const std::string &help,
                     bool required = false);

// A whole file, or standard input for "-"; CInputError when it cannot be read.
std::string ReadInput(const std::string &path);

// The texts of an EXPR argument: the argument itself, or for "-" every
// non-blank line of standard input.
std::vector<std::string> ExpressionArguments(const std::string &argument);

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
