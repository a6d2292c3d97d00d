// Commands that take EXPR or "-" for one expression a line.
#pragma once

#include "cli/Cli.h"

#include <string>
#include <utility>
#include <vector>

// One expression's result: its lines of text and its JSON value; the
// display's texts where they differ from the plain lines. A refusal is an
// item that fails the command without stopping a batch, its message already
// in the value (check's syntax errors).
struct SItem
{
    SItem(std::vector<std::string> itemLines, nlohmann::json itemValue, std::vector<std::string> shownTexts = {})
        : lines(std::move(itemLines)), value(std::move(itemValue)), texts(std::move(shownTexts))
    {
    }

    std::vector<std::string> lines;
    nlohmann::json value;
    std::vector<std::string> texts;
    std::string refusal;
};

// Runs work on each expression of the argument and prints the results: a
// single item's value and texts as they are; a batch from standard input as
// two arrays of one entry per expression line, "result" and "texts", each
// result naming its "line". A single item's bad input fails the command; in a
// batch it is reported with its line, stands in the JSON as {"line",
// "expression", "error"}, and the batch goes on; the exit status says so at
// the end. With separated, the items of a batch are told apart by a blank line.
template <typename Work>
void RunBatch(const SOutput &output, const std::string &argument, bool separated, Work work)
{
    const auto refuse = [&output](const SItem &item, const std::string &place) {
        if (!output.json)
            Warn(place.empty() ? item.refusal : place + ": " + item.refusal);
    };
    if (argument != "-") {
        SItem item = work(argument);
        output.Print(item.lines, item.value, item.texts.empty() ? item.lines : item.texts);
        if (!item.refusal.empty()) {
            refuse(item, "");
            throw CInputError("");
        }
        return;
    }
    std::vector<std::string> lines;
    nlohmann::json items = nlohmann::json::array(), texts = nlohmann::json::array();
    bool failed = false;
    for (const SExpressionLine &input : ExpressionLines(argument)) {
        try {
            SItem item = work(input.text);
            if (separated && !lines.empty() && !item.lines.empty())
                lines.emplace_back();
            lines.insert(lines.end(), item.lines.begin(), item.lines.end());
            texts.push_back(item.texts.empty() ? item.lines : item.texts);
            if (item.value.is_object())
                item.value["line"] = input.line;
            items.push_back(std::move(item.value));
            if (!item.refusal.empty()) {
                refuse(item, LinePlace(input.line));
                failed = true;
            }
        } catch (const CInputError &e) {
            Warn(LinePlace(input.line) + ": " + e.what());
            items.push_back({{"line", input.line}, {"expression", input.text}, {"error", e.what()}});
            texts.push_back(nlohmann::json::array());
            failed = true;
        }
    }
    output.Print(lines, items, texts);
    if (failed)
        throw CInputError("");
}
