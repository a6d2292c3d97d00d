// Commands that take EXPR or "-" for one expression a line.
#pragma once

#include "cli/Cli.h"

#include <string>
#include <utility>
#include <vector>

// One expression's result: its lines of text and its JSON value.
struct SItem
{
    std::vector<std::string> lines;
    nlohmann::json value;
};

// Runs work on each expression of the argument and prints the results: a
// single item's value as it is, a batch's as an array. Bad input of one item
// is reported and the batch goes on; the exit status says so at the end.
// With separated, the items of a batch are told apart by a blank line.
template <typename Work>
void RunBatch(const SOutput &output, const std::string &argument, bool separated, Work work)
{
    std::vector<std::string> lines;
    std::vector<nlohmann::json> items;
    bool failed = false;
    for (const std::string &text : ExpressionArguments(argument)) {
        try {
            SItem item = work(text);
            if (separated && argument == "-" && !lines.empty())
                lines.emplace_back();
            lines.insert(lines.end(), item.lines.begin(), item.lines.end());
            items.push_back(std::move(item.value));
        } catch (const CInputError &e) {
            Warn(e.what());
            failed = true;
        }
    }
    output.Print(lines, argument != "-" && items.size() == 1 ? items.front() : nlohmann::json(items));
    if (failed)
        throw CInputError("");
}
