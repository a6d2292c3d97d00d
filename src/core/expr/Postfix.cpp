#include "core/expr/Postfix.h"

#include "core/expr/CodedText.h"
#include "core/expr/NumberText.h"

#include <limits>
#include <numbers>
#include <string_view>

namespace {

int Precedence(char c)
{
    switch (c) {
    case '(':
        return 0;
    case '+':
    case '-':
        return 1;
    case '*':
    case '/':
        return 2;
    case '^':
    case '~':
        return 3;
    default:
        return IsFunctionCode(c) ? 3 : -1;
    }
}

}  // namespace

std::string PostfixOf(const std::string &coded)
{
    std::vector<char> ops{'('};
    std::string postfix;
    postfix.reserve(coded.size() * 2 + 2);
    for (char c : coded) {
        if (IsOperandChar(c)) {
            postfix += c;
            continue;
        }
        postfix += ' ';
        if (c == '(') {
            ops.push_back(c);
        } else if (c == ')') {
            while (!ops.empty()) {
                char t = ops.back();
                ops.pop_back();
                if (t == '(')
                    break;
                postfix += t;
            }
        } else {
            const int pc = Precedence(c);
            while (!ops.empty()) {
                const char t = ops.back();
                const int pt = Precedence(t);
                if (pt < pc)
                    break;
                if (pt == pc && (c == '^' || IsUnaryCode(c)))
                    break;
                postfix += t;
                ops.pop_back();
            }
            ops.push_back(c);
        }
    }
    postfix.insert(postfix.begin(), ' ');
    return postfix;
}

std::size_t ReadOperand(const char *first, const char *last, double &value)
{
    const std::size_t n = ReadDecimal(first, last, value);
    const std::string_view read(first, n);
    if (read == kPiText)
        value = std::numbers::pi;
    else if (read == kEText)
        value = std::numbers::e;
    return n;
}

void TokenisePostfix(const std::string &postfix, STokenList &tokens)
{
    tokens.values.clear();
    tokens.codes.clear();
    tokens.xPositions.clear();
    const char *p = postfix.data();
    const char *end = p + postfix.size();
    for (++p; p < end;) {
        const char c = *p;
        if (c == ' ') {
            ++p;
        } else if (IsDigitChar(c) || c == '.') {
            double v = 0.0;
            p += ReadOperand(p, end, v);
            tokens.values.push_back(v);
            tokens.codes.push_back(0);
        } else if (IsParameterLetter(c)) {
            tokens.values.push_back(std::numeric_limits<double>::quiet_NaN());
            tokens.codes.push_back(c);
            ++p;
        } else if (c == 'x') {
            tokens.xPositions.push_back(tokens.values.size());
            tokens.values.push_back(0.0);
            tokens.codes.push_back(0);
            ++p;
        } else {
            tokens.values.push_back(std::numeric_limits<double>::quiet_NaN());
            tokens.codes.push_back(c);
            ++p;
        }
    }
}
