#include "cli/Cli.h"

#include "CorvantaVersion.h"

#include <CLI/CLI.hpp>

#include <sstream>

namespace {

// troff takes a leading dot or quote as a request and a backslash as an escape.
std::string Roff(const std::string &text)
{
    std::string out;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\''))
            out += "\\&";
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
        lineStart = c == '\n';
    }
    return out;
}

std::string OptionTerm(const CLI::Option &option)
{
    std::string term;
    for (const std::string &name : option.get_snames())
        term += (term.empty() ? "" : ", ") + std::string("\\fB\\-") + name + "\\fR";
    for (const std::string &name : option.get_lnames())
        term += (term.empty() ? "" : ", ") + std::string("\\fB\\-\\-") + Roff(name) + "\\fR";
    if (option.get_type_size_max() > 0 && option.get_items_expected_max() > 0)
        term += " \\fI" + Roff(option.get_type_name()) + "\\fR";
    return term;
}

}  // namespace

std::string ManualPage(const CLI::App &app)
{
    std::ostringstream out;
    out << ".TH CORVANTA-CLI 1 \"\" \"Corvanta " CORVANTA_VERSION "\" \"User Commands\"\n"
        << ".SH NAME\ncorvanta\\-cli \\- Corvanta's mathematics engine from the command line\n"
        << ".SH SYNOPSIS\n.B corvanta\\-cli\n.I command\n[\\fIoptions\\fR] [\\fIarguments\\fR]\n"
        << ".br\n.B corvanta\\-cli\n.I command\n\\fB\\-\\-help\\fR\n"
        << ".SH DESCRIPTION\n" << Roff(app.get_description()) << "\n.PP\n"
        << "Every result is written by the same code that writes it in the Corvanta windows, so the "
           "texts are the same. Numbers on the command line may be constant expressions such as "
           "\\fBpi/2\\fR. An argument \\fB\\-\\fR reads standard input.\n"
        << ".SH COMMANDS\n";
    for (const CLI::App *command : app.get_subcommands({})) {
        out << ".SS \"" << Roff(command->get_name());
        for (const CLI::Option *option : command->get_options())
            if (option->get_positional())
                out << " " << Roff(option->get_name(true)) << (option->get_items_expected_max() > 1 ? "..." : "");
        out << "\"\n" << Roff(command->get_description()) << "\n";
        for (const CLI::Option *option : command->get_options()) {
            if (option->get_name() == "--help")
                continue;
            out << ".TP\n";
            if (option->get_positional())
                out << "\\fI" << Roff(option->get_name(true)) << "\\fR\n";
            else
                out << OptionTerm(*option) << "\n";
            out << Roff(option->get_description()) << "\n";
        }
    }
    out << ".SH JSON\nWith \\fB\\-\\-json\\fR every command answers with one JSON object of one shape:\n"
           ".PP\n.nf\n"
           "{ \\(dqcommand\\(dq: the command's name,\n"
           "  \\(dqinput\\(dq: the arguments and options given, by name,\n"
           "  \\(dqresult\\(dq: the values (an array of one per expression for \\fB\\-\\fR),\n"
           "  \\(dqtexts\\(dq: the lines the window shows }\n"
           ".fi\n.PP\n"
           "A failure answers { \\(dqcommand\\(dq, \\(dqinput\\(dq, \\(dqerror\\(dq } on standard output, "
           "with the message on standard error too and the exit status below. In a batch read from standard "
           "input, an expression that fails stands in \\(dqresult\\(dq as { \\(dqexpression\\(dq, \\(dqerror\\(dq } "
           "and the others are worked out.\n"
        << ".SH EXPRESSIONS THAT BEGIN WITH A MINUS SIGN\n"
           "An argument that begins with \\- and is no option of its command is taken as a value: "
           "\\fBcorvanta\\-cli eval \\-x^2 \\-\\-at 3\\fR, \\fBcorvanta\\-cli calc \\-FF \\-\\-base 16\\fR. "
           "After \\fB\\-\\-\\fR every argument is a value.\n";
    out << ".SH EXIT STATUS\n.TP\n0\nSuccess.\n.TP\n1\nBad input: the message says why (an expression "
           "with a syntax error, a file that cannot be read, a domain that cannot be searched).\n"
           ".TP\n2\nBad usage: an unknown command or option, a missing argument, a value that is "
           "not a number or outside its range (the message names the option).\n"
        << ".SH SEE ALSO\n.BR corvanta (1)\n";
    return out.str();
}
