#include "cli/ParamOption.h"

#include "cli/Cli.h"

#include "core/expr/CodedText.h"
#include "core/plot/Parameters.h"
#include "graph/model/Graph.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>

namespace {

constexpr const char *kName = "--param";

[[noreturn]] void Refuse(const std::string &text, const std::string &why)
{
    throw CLI::ValidationError(kName, "'" + text + "': " + why);
}

}  // namespace

std::pair<char, std::vector<double>> ReadParam(const std::string &text, bool allowList)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos)
        Refuse(text, "give LETTER=VALUE");
    const std::string name = text.substr(0, equals);
    // The functions are read in lower case, so is the letter.
    const char letter = name.size() == 1 ? static_cast<char>(std::tolower(static_cast<unsigned char>(name[0]))) : 0;
    if (!IsParameterLetter(letter))
        Refuse(text, "'" + name + "' is no parameter; the parameters are the letters " + kParameterLetters);
    const std::string values = text.substr(equals + 1);
    std::vector<double> read;
    std::size_t at = 0;
    for (;;) {
        const std::size_t comma = values.find(',', at);
        const std::string value = values.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
        if (value.find_first_not_of(" \t") == std::string::npos)
            Refuse(text, "no value for " + std::string(1, letter));
        read.push_back(ReadValue(value, std::string(kName) + " " + letter));
        if (comma == std::string::npos)
            break;
        at = comma + 1;
    }
    if (read.size() > 1 && !allowList)
        Refuse(text, "one value only (a list of values draws a family of curves with plot)");
    if (read.size() > SParamOption::kMaxFamily)
        Refuse(text, "at most " + std::to_string(SParamOption::kMaxFamily) + " values, one curve each");
    return {letter, read};
}

void SParamOption::AddOption(CLI::App &cmd, bool allowList)
{
    cmd.add_option_function<std::vector<std::string>>(
           kName,
           [this, allowList](const std::vector<std::string> &texts) {
               given.clear();
               for (const std::string &text : texts) {
                   auto param = ReadParam(text, allowList);
                   for (const auto &[letter, values] : given) {
                       if (letter == param.first)
                           Refuse(text, std::string(1, letter) + " is given twice");
                       if (values.size() > 1 && param.second.size() > 1)
                           Refuse(text, "only one letter may have a list of values");
                   }
                   given.push_back(std::move(param));
               }
           },
           std::string("A value for a parameter letter of the functions (") + kParameterLetters +
               "; 1 where not given), a number or a constant expression; repeat it for several" +
               (allowList ? ". LETTER=V1,V2,... draws one curve for each value (at most 5)" : ""))
        ->type_name("LETTER=VALUE")
        ->allow_extra_args(false);
}

SParameterValues SParamOption::Values() const
{
    SParameterValues values;
    for (const auto &[letter, list] : given)
        values.Set(letter, list.front());
    return values;
}

std::pair<char, std::vector<double>> SParamOption::Family() const
{
    for (const auto &[letter, list] : given)
        if (list.size() > 1)
            return {letter, list};
    return {0, {}};
}

void SParamOption::SetInto(CGraph &graph) const
{
    for (const auto &[letter, list] : given) {
        SParameter p = graph.Parameters().Of(letter);
        const auto [low, high] = std::minmax_element(list.begin(), list.end());
        p.min = std::min(p.min, *low);
        p.max = std::max(p.max, *high);
        p.value = list.front();
        if (!graph.SetParameter(letter, p))
            throw CInputError("The values of " + std::string(1, letter) + " lie too far apart to be drawn.");
    }
}
