#include "core/expr/SyntaxPlace.h"

#include "core/expr/CodedText.h"
#include "core/expr/Expression.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t EditDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

// Every letter of `shorter`, in order, within `longer`: "lg" in "log".
bool Within(std::string_view shorter, std::string_view longer)
{
    std::size_t k = 0;
    for (char c : longer)
        if (k < shorter.size() && shorter[k] == c)
            ++k;
    return k == shorter.size();
}

}  // namespace

std::string SuggestName(const std::string &word)
{
    if (word.size() < 2 || word.size() > 8)
        return {};
    const std::size_t reach = word.size() > 4 ? 2 : 1;
    std::string best;
    std::size_t bestScore = reach * 2 + 2;
    for (const SFunctionName &f : FunctionNames()) {
        const std::string_view name = f.name;
        if (name == word)
            return {};
        const std::size_t d = EditDistance(word, name);
        if (d > reach)
            continue;
        // Among equally close names, one that keeps every typed letter wins.
        const bool kept = Within(word, name) || Within(name, word);
        const std::size_t score = d * 2 + (kept ? 0 : 1);
        if (score < bestScore) {
            bestScore = score;
            best = f.name;
        }
    }
    return best;
}

SSyntaxPlace LocateSyntaxError(const std::string &typed)
{
    SSyntaxPlace place;
    Places where;
    const std::string coded = CodeExpression(typed, &where) + ')';
    where.push_back(typed.size());
    std::size_t at = 0;
    place.code = CheckSyntaxAt(coded, &at);
    if (place.code == 0 || at >= where.size() || where[at] >= typed.size())
        return place;
    const std::size_t i = where[at];
    place.position = 1 + static_cast<std::size_t>(std::count_if(typed.begin(), typed.begin() + static_cast<std::ptrdiff_t>(i),
                                                                [](char c) { return !IsContinuation(c); }));
    std::size_t end = i + 1;
    while (end < typed.size() && IsContinuation(typed[end]))
        ++end;
    place.character = typed.substr(i, end - i);
    if (IsLower(typed[i])) {
        std::size_t from = i;
        std::size_t to = i;
        while (from > 0 && IsLower(typed[from - 1]))
            --from;
        while (to + 1 < typed.size() && IsLower(typed[to + 1]))
            ++to;
        place.suggestion = SuggestName(typed.substr(from, to - from + 1));
    }
    return place;
}

std::size_t FindExponentTrap(const std::string &typed)
{
    for (std::size_t i = 1; i + 1 < typed.size(); ++i) {
        const char p = typed[i - 1];
        const char n = typed[i + 1];
        if (typed[i] == 'e' && (IsDigit(p) || p == '.') && (IsDigit(n) || n == '-' || n == '+'))
            return i - 1;
    }
    return std::string::npos;
}
