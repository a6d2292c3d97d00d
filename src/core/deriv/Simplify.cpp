#include "core/deriv/Simplify.h"

#include <string_view>
#include <vector>

#include "core/deriv/ConstantEvaluator.h"
#include "core/deriv/ConstantText.h"
#include "core/deriv/OperatorToken.h"
#include "core/expr/CodedText.h"

namespace {

bool IsDigitOrPoint(char c) { return IsDigit(c) || c == '.'; }

bool IsOperatorChar(char c)
{
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^' || IsCodeLetter(c);
}

// A '-' that subtracts: not first and after a digit, ')', x or a parameter.
bool IsBinaryMinus(const std::string &s, std::size_t i)
{
    if (s[i] != '-' || i == 0)
        return false;
    const char b = s[i - 1];
    return IsDigit(b) || b == ')' || IsVariableChar(b);
}

void RemoveZeroTerms(std::string &s);

// Every bracket group without x that holds a digit becomes one number,
// innermost groups first, so an enclosing group made constant folds too.
// A text without x that holds a digit folds as a whole. A parameter counts
// as x here: its value is not known until the text is evaluated.
void FoldConstants(std::string &text)
{
    struct SGroup
    {
        std::size_t m_nStart;  // index of its '(' in out
        bool m_bHasVariable;
        bool m_bHasDigit;
    };
    std::string out;
    out.reserve(text.size());
    std::vector<SGroup> open;
    bool topHasVariable = false;
    bool topHasDigit = false;
    auto mark = [&](bool x, bool digit) {
        if (open.empty()) {
            topHasVariable = topHasVariable || x;
            topHasDigit = topHasDigit || digit;
        } else {
            open.back().m_bHasVariable = open.back().m_bHasVariable || x;
            open.back().m_bHasDigit = open.back().m_bHasDigit || digit;
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(') {
            open.push_back({out.size(), false, false});
            out += c;
        } else if (c == ')' && !open.empty()) {
            const SGroup group = open.back();
            open.pop_back();
            if (group.m_bHasVariable || !group.m_bHasDigit) {
                out += c;
                mark(group.m_bHasVariable, group.m_bHasDigit);
                continue;
            }
            // Dead terms go before the value is taken: 0*ln(-3) is no NaN here.
            std::string inside = out.substr(group.m_nStart + 1);
            RemoveZeroTerms(inside);
            const double value = CConstantEvaluator(inside).m_dValue;
            std::string number = FormatConstant(value);
            // "-3^2" would read as -(3^2): a negative base keeps its brackets.
            if (number[0] == '-' && i + 1 < text.size() && text[i + 1] == '^')
                number = "(" + number + ")";
            out.resize(group.m_nStart);
            out += number;
            mark(false, true);
        } else {
            out += c;
            mark(IsVariableChar(c), IsDigit(c));
        }
    }
    if (open.empty() && !topHasVariable && topHasDigit) {
        RemoveZeroTerms(out);
        out = FormatConstant(CConstantEvaluator(out).m_dValue);
    }
    text.swap(out);
}

// A '.' ending a number ("2.") goes. A lone '.' is a number of its own
// (zero) and stays, or a function before it would lose its operand.
void RemoveStrayPoints(std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i >= 1 && text[i] == '.' && IsDigit(text[i - 1]) &&
            (i + 1 == text.size() || !IsDigit(text[i + 1])))
            continue;
        out += text[i];
    }
    text.swap(out);
}

// Whether s[from, to) is a term of its own: a sum or a bracket around it,
// not a factor, a divisor, an exponent or a function's argument.
bool StandsAlone(const std::string &s, std::size_t from, std::size_t to)
{
    if (to < s.size() && !(s[to] == ')' || s[to] == '+' || s[to] == '-'))
        return false;
    if (from > 0 && (s[from - 1] == '+' || s[from - 1] == '-'))
        return from == 1 || !IsOperatorChar(s[from - 2]);
    return from == 0 || s[from - 1] == '(';
}

// Removes every term that has a zero of its own as a factor.
void RemoveZeroTerms(std::string &s)
{
    int depth = 0;
    std::size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '(' || c == ')') {
            depth += (c == '(') ? 1 : -1;
            ++i;
            continue;
        }
        const bool ownZero = c == '0' && (i == 0 || !IsDigitOrPoint(s[i - 1])) &&
                             (i + 1 == s.size() || !IsDigitOrPoint(s[i + 1]));
        // An exponent, a function's argument or a divisor is not a factor.
        const bool factor =
            ownZero && !(i > 0 && (s[i - 1] == '^' || s[i - 1] == '/' ||
                                   IsCodeLetter(s[i - 1]) || IsLowerLetter(s[i - 1])));
        if (!factor) {
            ++i;
            continue;
        }
        // The term around the zero.
        std::size_t start = 0;
        bool startAtBracket = false;
        int d = 0;
        for (std::size_t j = i; j-- > 0;) {
            const char b = s[j];
            if (b == ')')
                ++d;
            else if (b == '(' && --d < 0) {
                start = j + 1;
                startAtBracket = true;
                break;
            } else if (d == 0 && (b == '+' || IsBinaryMinus(s, j))) {
                start = j + 1;
                break;
            }
        }
        std::size_t end = s.size();  // one past the term
        bool endAtBracket = false;
        d = 0;
        for (std::size_t j = i + 1; j < s.size(); ++j) {
            const char b = s[j];
            if (b == '(')
                ++d;
            else if (b == ')' && --d < 0) {
                end = j;
                endAtBracket = true;
                break;
            } else if (d == 0 && (b == '+' || IsBinaryMinus(s, j))) {
                end = j;
                break;
            }
        }
        // A bracketed term that fills its bracket pair goes with the pair;
        // nothing else is widened, so neighbouring signs and terms stay. A
        // pair that is a factor or an argument ("1*((x)*0)") stays, empty,
        // and becomes a zero of its own.
        std::size_t from = start;
        std::size_t to = end;
        int depthAtFrom = depth;
        if (startAtBracket && endAtBracket && s[start] == '(' && s[end - 1] == ')' &&
            StandsAlone(s, start - 1, end + 1)) {
            --from;
            ++to;
            --depthAtFrom;
        }
        if (from > 0 && (s[from - 1] == '+' || s[from - 1] == '-'))
            --from;
        s.erase(from, to - from);
        // Nothing before the removed span changes, so the scan goes on there.
        i = from;
        depth = depthAtFrom;
    }
}

// Returns whether an empty bracket pair was found.
bool FillEmptyBrackets(std::string &text)
{
    bool found = false;
    for (const char *empty : {"()", "(+)", "(-)"}) {
        if (text.find(empty) != std::string::npos) {
            found = true;
            ReplaceAll(text, empty, "(0)");
        }
    }
    return found;
}

// "*1" or "^1" not followed by a digit or point goes.
void RemoveOnes(std::string &text, char op)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        // "*1^2" multiplies by 1^2, not by 1: the power binds first.
        if (text[i] == op && i + 1 < text.size() && text[i + 1] == '1' &&
            (i + 2 == text.size() ||
             !(IsDigitOrPoint(text[i + 2]) || text[i + 2] == '^'))) {
            i += 2;
            continue;
        }
        out += text[i++];
    }
    text.swap(out);
}

// Whether a number written at the end of `out` would start a factor of a
// product: not an exponent, a divisor or a function's argument, where
// "1*" binds differently ("x/1*2", "x^-1*2", "asinh1*x").
bool StartsFactor(const std::string &out)
{
    if (out.empty())
        return true;
    const char b = out.back();
    if (b == '(' || b == '+' || b == '*')
        return true;
    if (b != '-')
        return false;
    if (out.size() == 1)
        return true;
    const char bb = out[out.size() - 2];
    return !(bb == '^' || bb == '/' || IsCodeLetter(bb) || IsLowerLetter(bb));
}

// A leading factor "1*" goes; the character after it is not examined.
void RemoveLeadingOnes(std::string &text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '1' && i + 1 < text.size() && text[i + 1] == '*' && StartsFactor(out)) {
            i += 2;
            if (i < text.size())
                out += text[i++];
            continue;
        }
        out += text[i++];
    }
    text.swap(out);
}

// A '+' that adds nothing goes; the character after it is not examined.
void RemoveRedundantPlus(std::string &text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '+' &&
            (out.empty() || !(IsDigit(out.back()) || out.back() == ')' || IsVariableChar(out.back())))) {
            ++i;
            if (i < text.size())
                out += text[i++];
            continue;
        }
        out += text[i++];
    }
    text.swap(out);
}

// Drops bracket pairs that the precedences make redundant. Pairs are
// examined from the left; removed brackets are only marked, so the
// neighbours of a pair are the nearest characters still present.
void RemoveRedundantBrackets(std::string &text)
{
    const std::size_t n = text.size();
    std::vector<std::size_t> match(n, n);
    std::vector<std::size_t> stack;
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] == '(') {
            stack.push_back(i);
        } else if (text[i] == ')' && !stack.empty()) {
            match[stack.back()] = i;
            stack.pop_back();
        }
    }
    std::vector<bool> removed(n, false);
    auto previous = [&](std::size_t i) -> std::ptrdiff_t {
        std::ptrdiff_t j = static_cast<std::ptrdiff_t>(i) - 1;
        while (j >= 0 && removed[j])
            --j;
        return j;
    };
    auto next = [&](std::size_t i) -> std::size_t {
        std::size_t j = i + 1;
        while (j < n && removed[j])
            ++j;
        return j;
    };
    auto precedence = [&](std::size_t i) {
        const char c = text[i];
        const std::ptrdiff_t b = previous(i);
        const bool unaryPosition =
            b < 0 || !(IsDigit(text[b]) || text[b] == ')' || IsVariableChar(text[b]));
        if (IsCodeLetter(c) || c == '^' || unaryPosition)
            return 6;
        return (c == '*' || c == '/') ? 4 : 2;
    };
    for (std::size_t p = 0; p < n; ++p) {
        if (text[p] != '(' || match[p] == n)
            continue;
        const std::size_t q = match[p];
        bool stays = false;
        const std::ptrdiff_t l = previous(p);
        if (l >= 0 && IsOperatorChar(text[l])) {
            const char left = text[l];
            const int pl = precedence(static_cast<std::size_t>(l));
            int depth = 0;
            for (std::size_t k = p + 1; k < q && !stays; ++k) {
                const char c = text[k];
                if (c == '(')
                    ++depth;
                else if (c == ')')
                    --depth;
                else if (depth == 0 && IsOperatorChar(c)) {
                    const int pc = precedence(k);
                    stays = pc < pl || (pc == pl && c != left) ||
                            (pc == pl && (left == '-' || left == '/')) || (pl == 6 && pc == 6);
                }
            }
        }
        const std::size_t r = next(q);
        if (!stays && r < n && IsOperatorChar(text[r])) {
            const char right = text[r];
            const int pr = precedence(r);
            int depth = 0;
            for (std::size_t k = q; k-- > p + 1 && !stays;) {
                const char c = text[k];
                if (c == ')')
                    ++depth;
                else if (c == '(')
                    --depth;
                else if (depth == 0 && IsOperatorChar(c)) {
                    const int pc = precedence(k);
                    stays = pc < pr || (pc == pr && c != right) || (pr == 6 && pc == 6);
                }
            }
        }
        if (!stays) {
            removed[p] = true;
            removed[q] = true;
        }
    }
    std::string out;
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        if (!removed[i])
            out += text[i];
    text.swap(out);
}

bool IsNumberOwn(const std::string &s, std::size_t pos, std::size_t len)
{
    return (pos == 0 || !IsDigitOrPoint(s[pos - 1])) &&
           (pos + len >= s.size() || !IsDigitOrPoint(s[pos + len]));
}

// The coded constants come back by name where they stand as numbers of
// their own.
void NameConstant(std::string &text, const std::string &number, const std::string &name)
{
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t hit = text.find(number); hit != std::string::npos;
         hit = text.find(number, hit + 1)) {
        if (hit < start || !IsNumberOwn(text, hit, number.size()))
            continue;
        out.append(text, start, hit - start);
        out += name;
        start = hit + number.size();
    }
    out.append(text, start, std::string::npos);
    text.swap(out);
}

// ln e and log 10 are 1: the power rule writes ln of the base, and e^(2x)
// must not keep a "lne" factor. Spelled by name or by letter, bracketed or not.
char CodeOfFunction(std::string_view name)
{
    for (const SOperation &f : Operations())
        if (std::string_view(f.name) == name)
            return f.code;
    return '\0';
}

void ReplaceUnitLogarithms(std::string &text)
{
    struct SUnit { std::string_view function; char code; std::string_view number; };
    // Looked up once: this runs over every derivative text, some of them long.
    static const SUnit units[] = {{"ln", CodeOfFunction("ln"), kEText}, {"log", CodeOfFunction("log"), "10"}};
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        std::size_t end = 0;  // past a unit logarithm starting at i, or 0
        if (c == 'l' || c == units[0].code || c == units[1].code) {
            for (const SUnit &u : units) {
                for (const std::string_view name : {u.function, std::string_view(&u.code, 1)}) {
                    if (text.compare(i, name.size(), name) != 0 || (i > 0 && IsLowerLetter(text[i - 1])))
                        continue;
                    std::size_t j = i + name.size();
                    const bool bracket = j < text.size() && text[j] == '(';
                    j += bracket ? 1 : 0;
                    if (text.compare(j, u.number.size(), u.number) != 0 || !IsNumberOwn(text, j, u.number.size()))
                        continue;
                    j += u.number.size();
                    if (bracket && (j >= text.size() || text[j] != ')'))
                        continue;
                    end = j + (bracket ? 1 : 0);
                    break;
                }
                if (end != 0)
                    break;
            }
        }
        if (end != 0) {
            out += '1';
            i = end;
        } else {
            out += text[i++];
        }
    }
    text.swap(out);
}

}  // namespace

void Simplify(std::string &text)
{
    // Names first, so that every lower-case letter left is x or a parameter
    // (a letter of "cos" must not keep a constant group from folding).
    for (const auto &[name, letter] : FunctionNames())
        ReplaceAll(text, name, std::string(1, letter));
    for (;;) {
        ReplaceUnitLogarithms(text);
        FoldConstants(text);
        ReplaceUnitLogarithms(text);
        RemoveStrayPoints(text);
        RemoveZeroTerms(text);
        if (!FillEmptyBrackets(text))
            break;
    }
    RemoveOnes(text, '*');
    RemoveOnes(text, '^');
    RemoveLeadingOnes(text);
    ReplaceAll(text, "(x)", "x");
    RemoveRedundantPlus(text);
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            out += (c == '~') ? '-' : c;
    text.swap(out);
    for (const auto &[name, letter] : FunctionNames())
        ReplaceAll(text, name, std::string(1, letter));
    RemoveRedundantBrackets(text);
    NameConstant(text, kEText, "e");
    NameConstant(text, kPiText, "pi");
    if (text.empty())
        text.push_back('0');
}
