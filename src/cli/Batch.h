// Commands that take EXPR or "-" for one expression a line.
#pragma once

#include "cli/Cli.h"

#include <string>
#include <vector>

// Runs one item of a batch; bad input is reported and the batch goes on.
template <typename Work>
void ForEachExpression(const std::string &argument, bool &failed, Work work)
{
    for (const std::string &text : ExpressionArguments(argument)) {
        try {
            work(text);
        } catch (const CInputError &e) {
            Warn(e.what());
            failed = true;
        }
    }
}

// A single item is its own value; a batch is an array of them.
inline nlohmann::json Collected(const std::vector<nlohmann::json> &items, const std::string &argument)
{
    if (argument != "-" && items.size() == 1)
        return items.front();
    return nlohmann::json(items);
}
