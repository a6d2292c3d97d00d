#pragma once

#include "core/expr/Program.h"

#include <string>
#include <utility>
#include <vector>

namespace CLI {
class App;
}
class CGraph;

// --param LETTER=VALUE, repeatable: the values of the parameter letters the
// functions use (1 for a letter not given). With lists allowed, one letter
// may carry several values, LETTER=V1,V2,...: a family of curves.
struct SParamOption
{
    static constexpr std::size_t kMaxFamily = 5;  // one slot per curve

    std::vector<std::pair<char, std::vector<double>>> given;

    void AddOption(CLI::App &cmd, bool allowList);
    // Each letter's value; a listed letter has its first.
    SParameterValues Values() const;
    // The letter carrying a list of values and the list; no letter without one.
    std::pair<char, std::vector<double>> Family() const;
    // Every value into the graph's table, its range widened to hold it.
    void SetInto(CGraph &graph) const;
};

// One --param text read, as the option reads it; CLI::ValidationError names
// what is wrong.
std::pair<char, std::vector<double>> ReadParam(const std::string &text, bool allowList);
