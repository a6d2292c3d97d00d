#include "core/expr/CodedText.h"

#include "core/expr/Expression.h"

#include <string_view>

namespace {

constexpr const char *kPi = "3.141592654";
constexpr const char *kE = "2.718281828";

// Every step of the coding is one linear pass: texts of hundreds of
// thousands of characters (second derivatives) must not take quadratic time.
void ReplaceAll(std::string &s, std::string_view from, std::string_view to)
{
    std::size_t pos = s.find(from);
    if (pos == std::string::npos)
        return;
    std::string out;
    out.reserve(s.size() + s.size() / from.size() * to.size());
    std::size_t done = 0;
    for (; pos != std::string::npos; pos = s.find(from, done)) {
        out.append(s, done, pos - done);
        out += to;
        done = pos + from.size();
    }
    out.append(s, done);
    s.swap(out);
}

bool NeedsProduct(char c, char n)
{
    if (IsOperandChar(c) && (n == 'x' || n == '(' || n == 'e'))
        return true;
    if (c == 'x' && (IsDigitChar(n) || n == '.' || n == 'x' || n == '('))
        return true;
    if (IsOperandChar(c) && IsUnaryCode(n))
        return true;
    return c == ')' && IsUnaryCode(n);
}

}  // namespace

std::string CodeExpression(const std::string &text)
{
    std::string s;
    s.reserve(text.size() + 16);
    for (char c : text)
        if (c != ' ')
            s += c;

    // Unary minus, decided before names are coded so that "pi-1" and "e-1" subtract.
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

    for (const SOperation &f : Operations())
        ReplaceAll(s, f.name, std::string_view(&f.code, 1));

    // "pi", with a '*' when it follows a number or x (2pi is 2 times pi).
    if (s.find("pi") != std::string::npos) {
        std::string out;
        out.reserve(s.size() * 2);
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s.compare(i, 2, "pi") == 0) {
                if (!out.empty() && IsOperandChar(out.back()))
                    out += '*';
                out += kPi;
                ++i;
            } else {
                out += s[i];
            }
        }
        s.swap(out);
    }

    // Implicit products. An inserted '*' starts no rule of its own, so one
    // pass over the pairs of the text gives what inserting in place would.
    if (s.size() >= 2) {
        std::string out;
        out.reserve(s.size() * 2);
        for (std::size_t i = 0; i < s.size(); ++i) {
            out += s[i];
            if (i + 1 < s.size() && NeedsProduct(s[i], s[i + 1]))
                out += '*';
        }
        s.swap(out);
    }

    ReplaceAll(s, "e", kE);
    return s;
}

int CheckSyntax(const std::string &s)
{
    const std::size_t n = s.size();
    if (n == 0)
        return 3;
    int depth = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = s[i];
        if (c == '(') {
            ++depth;
            continue;
        }
        if (c == ')') {
            --depth;
            continue;
        }
        if (!(c == 'x' || IsUnaryCode(c) || IsDigitChar(c) || IsBinaryCode(c) || c == '.' || c == 'e'))
            return 1;
        if (IsBinaryCode(c)) {
            if (i == 0 || i == n - 1)
                return 2;
            const char p = s[i - 1];
            if (!(p == 'e' || p == 'x' || IsDigitChar(p) || p == ')') || s[i + 1] == ')')
                return 2;
        } else if (IsUnaryCode(c)) {
            if (i == n - 1 || s[i + 1] == ')')
                return 2;
        }
    }
    return depth == -1 ? 0 : 3;
}
