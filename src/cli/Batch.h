// Commands that take EXPR or "-" for one expression a line.
#pragma once

#include "cli/Cli.h"

#include <string>
#include <utility>
#include <vector>

// One expression's result: its lines of text and its JSON value; the
// display's texts where they differ from the plain lines.
struct SItem
{
    SItem(std::vector<std::string> itemLines, nlohmann::json itemValue, std::vector<std::string> shownTexts = {})
        : lines(std::move(itemLines)), value(std::move(itemValue)), texts(std::move(shownTexts))
    {
    }

    std::vector<std::string> lines;
    nlohmann::json value;
    std::vector<std::string> texts;
};

// Runs work on each expression of the argument and prints the results: a
// single item's value as it is, a batch's as an array. A single item's bad
// input fails the command; in a batch it is reported, stands in the JSON as
// {"expression", "error"}, and the batch goes on; the exit status says so at
// the end. With separated, the items of a batch are told apart by a blank line.
template <typename Work>
void RunBatch(const SOutput &output, const std::string &argument, bool separated, Work work)
{
    if (argument != "-") {
        SItem item = work(argument);
        output.Print(item.lines, item.value, item.texts.empty() ? item.lines : item.texts);
        return;
    }
    std::vector<std::string> lines, texts;
    std::vector<nlohmann::json> items;
    bool failed = false;
    for (const std::string &text : ExpressionArguments(argument)) {
        try {
            SItem item = work(text);
            if (separated && !lines.empty()) {
                lines.emplace_back();
                texts.emplace_back();
            }
            lines.insert(lines.end(), item.lines.begin(), item.lines.end());
            const std::vector<std::string> &shown = item.texts.empty() ? item.lines : item.texts;
            texts.insert(texts.end(), shown.begin(), shown.end());
            items.push_back(std::move(item.value));
        } catch (const CInputError &e) {
            Warn(e.what());
            items.push_back({{"expression", text}, {"error", e.what()}});
            failed = true;
        }
    }
    output.Print(lines, nlohmann::json(items), texts);
    if (failed)
        throw CInputError("");
}
