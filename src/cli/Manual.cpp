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
    out << ".SH NUMBERS\nA number on the command line is a decimal number or a constant expression in the "
           "function syntax, in any case (\\fBpi/2\\fR, \\fB\\-E^2\\fR, \\fB1E\\-3\\fR). Its angles are in "
           "radians, as the graph reads them, except where a command works as the calculator (\\fBpolar\\fR, "
           "\\fBrect\\fR, \\fBdms\\fR: degrees) or where \\fBeval \\-\\-degrees\\fR reads x in degrees; "
           "each option's help says which.\n"
        << ".SH PARAMETERS\nThe letters a b c d h k m n p q r s t u v w in a function are parameters, each "
           "1 unless \\fB\\-\\-param\\fR \\fILETTER\\fR=\\fIVALUE\\fR gives it a value (repeat the option "
           "for several letters; the value is a number as above). In \\fBplot\\fR one letter may take a list, "
           "\\fB\\-\\-param a=1,2,3\\fR: one curve for each value in its own pen, at most five, for one "
           "function. A letter that is no parameter, a missing or unreadable value, or a letter given twice is "
           "bad usage.\n"
        << ".SH JSON\nWith \\fB\\-\\-json\\fR every command answers with one JSON object of one shape:\n"
           ".PP\n.nf\n"
           "{ \\(dqcommand\\(dq: the command's name,\n"
           "  \\(dqinput\\(dq: the arguments and options given, by name, and \\(dqsource\\(dq:\n"
           "      \\(dqargument\\(dq, \\(dqfile\\(dq or \\(dqstandard input\\(dq,\n"
           "  \\(dqresult\\(dq: the values,\n"
           "  \\(dqtexts\\(dq: the lines the window shows }\n"
           ".fi\n.PP\n"
           "The fields of \\(dqresult\\(dq follow one scheme in every command: \\(dqexpression\\(dq (and "
           "\\(dqexpression2\\(dq) is the text worked on; the settings used are named as their options "
           "(\\(dqfrom\\(dq, \\(dqto\\(dq, \\(dqnear\\(dq, \\(dqstep\\(dq, \\(dqrule\\(dq, "
           "\\(dqplaces\\(dq, \\(dqorder\\(dq); the values are named for what they are (\\(dqvalue\\(dq, "
           "\\(dqroots\\(dq, \\(dqpoints\\(dq of {\\(dqx\\(dq, \\(dqy\\(dq}, \\(dqrows\\(dq, "
           "\\(dqmatrix\\(dq, \\(dqsolution\\(dq, \\(dqdeterminant\\(dq); a value's shown text is "
           "\\(dqtext\\(dq, several shown lines \\(dqlines\\(dq, a matrix's shown cells \\(dqcells\\(dq.\n"
           ".PP\n"
           "JSON has no numbers for infinity or an undefined value: a value that is not finite is the string "
           "\\(dqinf\\(dq, \\(dq\\-inf\\(dq or \\(dqnan\\(dq where a number stands otherwise.\n"
           ".PP\n"
           "For \\fB\\-\\fR, one expression a line from standard input, \\(dqresult\\(dq and "
           "\\(dqtexts\\(dq are arrays with one entry per expression line, in order, and each result names its "
           "\\(dqline\\(dq (blank lines are skipped). An expression that fails stands in \\(dqresult\\(dq as "
           "{ \\(dqline\\(dq, \\(dqexpression\\(dq, \\(dqerror\\(dq } with no texts, its message on standard "
           "error begins with \\(dqstandard input, line \\fIN\\fR:\\(dq, and the others are worked out; the exit "
           "status is then 1.\n"
           ".PP\n"
           "A failure answers { \\(dqcommand\\(dq, \\(dqinput\\(dq, \\(dqerror\\(dq } on standard output, "
           "with the message on standard error too and the exit status below.\n"
        << ".SH EXPRESSIONS THAT BEGIN WITH A MINUS SIGN\n"
           "An argument that begins with \\- and is no option of its command is taken as a value: "
           "\\fBcorvanta\\-cli eval \\-x^2 \\-\\-at 3\\fR, \\fBcorvanta\\-cli calc \\-FF \\-\\-base 16\\fR. "
           "After \\fB\\-\\-\\fR every argument is a value.\n";
    out << ".SH EXIT STATUS\n.TP\n0\nSuccess.\n.TP\n1\nBad input: the message says why (an expression "
           "with a syntax error, a file that cannot be read, a domain that cannot be searched).\n"
           ".TP\n2\nBad usage: an unknown command or option, a missing argument, an option's value that is "
           "not a number or outside its range (the message names the option). An argument that is not a number "
           "(\\fBpolar\\fR's X, \\fBscale\\fR's S) is bad input, status 1, and the message names it.\n"
        << ".SH SEE ALSO\n.BR corvanta (1)\n";
    return out.str();
}
