#include "core/expr/CodedText.h"

#include "core/expr/Expression.h"

#include <string_view>
#include <vector>

namespace {

// Every step of the coding is one linear pass: texts of hundreds of
// thousands of characters (second derivatives) must not take quadratic time.
// Where `from` holds, for each character, its place in the typed text, it is
// rewritten alongside: an inserted character takes the place it stands for.
void ReplaceAll(std::string &s, std::string_view from, std::string_view to, Places *where)
{
    std::size_t pos = s.find(from);
    if (pos == std::string::npos)
        return;
    std::string out;
    out.reserve(s.size() + s.size() / from.size() * to.size());
    Places placed;
    std::size_t done = 0;
    for (; pos != std::string::npos; pos = s.find(from, done)) {
        out.append(s, done, pos - done);
        out += to;
        if (where) {
            placed.insert(placed.end(), where->begin() + done, where->begin() + pos);
            placed.insert(placed.end(), to.size(), (*where)[pos]);
        }
        done = pos + from.size();
    }
    out.append(s, done);
    s.swap(out);
    if (where) {
        placed.insert(placed.end(), where->begin() + done, where->end());
        where->swap(placed);
    }
}

// A parameter multiplies as x does: 2a, ax, ab, a(x+1), (x-h)k. Names are
// coded before this runs and blanks are gone, so "asin x" and "a sin x" stay
// the arcsine they always were; a*sin x needs its '*' (or "sin(x)a").
bool NeedsProduct(char c, char n)
{
    if (IsOperandChar(c) && (IsVariableChar(n) || n == '(' || n == 'e'))
        return true;
    if (IsVariableChar(c) && (IsDigitChar(n) || n == '.' || n == '('))
        return true;
    if (IsOperandChar(c) && IsUnaryCode(n))
        return true;
    // e is a number of its own: ex, e(x+1), esin(x), epi, ee and e2 are
    // products, as 2e and (x+1)e are. "e.5" stays a malformed number.
    if (c == 'e' && (IsDigitChar(n) || IsVariableChar(n) || n == '(' || n == 'e' || IsUnaryCode(n)))
        return true;
    // A closing bracket multiplies what follows it: (x+1)(x-1), (x+1)2, (x+1)e.
    return c == ')' && (IsUnaryCode(n) || IsOperandChar(n) || n == '(' || n == 'e');
}

}  // namespace

std::string CodeExpression(const std::string &text) { return CodeExpression(text, nullptr); }

std::string CodeExpression(const std::string &text, Places *where)
{
    std::string s;
    s.reserve(text.size() + 16);
    if (where)
        where->clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == ' ')
            continue;
        // Code characters that are not letters stay refused when typed: "$x"
        // must not read as abs(x). Typed letters are lowered by the callers.
        if (IsFunctionCode(c) && !(c >= 'A' && c <= 'Z'))
            c = '?';
        s += c;
        if (where)
            where->push_back(i);
    }

    for (const SOperation &f : Operations())
        ReplaceAll(s, f.name, std::string_view(&f.code, 1), where);

    // Unary minus, decided after the names are coded (no name ends in a letter
    // that subtracts, so "sin-x" stays sin(-x) while "a-x" subtracts) and
    // before pi and e are, so that "pi-1" and "e-1" subtract.
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '-')
            continue;
        bool binary = false;
        if (i > 0) {
            char p = s[i - 1];
            binary = IsOperandChar(p) || p == ')' || p == 'e' || (i >= 2 && p == 'i' && s[i - 2] == 'p');
        }
        if (!binary)
            s[i] = '~';
    }

    // "pi", with a '*' when it follows a number or x (2pi is 2 times pi).
    if (s.find("pi") != std::string::npos) {
        std::string out;
        out.reserve(s.size() * 2);
        Places placed;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const std::size_t before = out.size();
            if (s.compare(i, 2, "pi") == 0) {
                if (!out.empty() && IsOperandChar(out.back()))
                    out += '*';
                out += kPiText;
            } else {
                out += s[i];
            }
            if (where)
                placed.insert(placed.end(), out.size() - before, (*where)[i]);
            if (s.compare(i, 2, "pi") == 0)
                ++i;
        }
        s.swap(out);
        if (where)
            where->swap(placed);
    }

    // Implicit products. An inserted '*' starts no rule of its own, so one
    // pass over the pairs of the text gives what inserting in place would.
    if (s.size() >= 2) {
        std::string out;
        out.reserve(s.size() * 2);
        Places placed;
        for (std::size_t i = 0; i < s.size(); ++i) {
            out += s[i];
            const bool product = i + 1 < s.size() && NeedsProduct(s[i], s[i + 1]);
            if (product)
                out += '*';
            if (where)
                placed.insert(placed.end(), product ? 2 : 1, (*where)[i]);
        }
        s.swap(out);
        if (where)
            where->swap(placed);
    }

    ReplaceAll(s, "e", kEText, where);
    return s;
}

int CheckSyntax(const std::string &s) { return CheckSyntaxAt(s, nullptr); }

int CheckSyntaxAt(const std::string &s, std::size_t *at)
{
    const std::size_t n = s.size();
    if (n == 0)
        return 3;
    std::size_t dummy = 0;
    std::size_t &place = at ? *at : dummy;
    std::vector<std::size_t> open;  // '(' not closed yet, in order
    int depth = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = s[i];
        if (c == '(') {
            ++depth;
            open.push_back(i);
            continue;
        }
        if (c == ')') {
            --depth;
            place = i;
            // The appended bracket of a text with a bracket left open ("sin("):
            // the balance below names the fault, not the empty pair.
            if (i + 1 == n && depth != -1)
                continue;
            // "()", "sin()", "x-()": nothing to evaluate inside.
            if (i > 0 && s[i - 1] == '(')
                return 2;
            if (i + 1 == n)  // the appended one
                continue;
            // "x)+(2": a bracket closed before one is open.
            if (open.empty())
                return 3;
            open.pop_back();
            continue;
        }
        place = i;
        if (!(IsVariableChar(c) || IsUnaryCode(c) || IsDigitChar(c) || IsBinaryCode(c) || c == '.' || c == 'e'))
            return 1;
        if (IsBinaryCode(c)) {
            if (i == 0 || i == n - 1)
                return 2;
            const char p = s[i - 1];
            if (!(p == 'e' || IsVariableChar(p) || IsDigitChar(p) || p == ')') || s[i + 1] == ')')
                return 2;
        } else if (IsUnaryCode(c)) {
            if (i == n - 1 || s[i + 1] == ')')
                return 2;
        } else if ((IsDigitChar(c) || c == '.') && (i == 0 || !(IsDigitChar(s[i - 1]) || s[i - 1] == '.'))) {
            // A number is digits with at most one point: "x.", "2..5", "1.2.3"
            // and "..5" are refused at the point that spoils them.
            bool digit = false;
            std::size_t point = n;
            std::size_t j = i;
            for (; j < n && (IsDigitChar(s[j]) || s[j] == '.'); ++j) {
                if (s[j] == '.') {
                    if (point < n) {
                        place = j;
                        return 2;
                    }
                    point = j;
                } else {
                    digit = true;
                }
            }
            if (!digit) {
                place = point;
                return 2;
            }
        }
    }
    if (depth == -1)
        return 0;
    place = open.empty() ? n - 1 : open.front();
    return 3;
}
