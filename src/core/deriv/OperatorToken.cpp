#include "core/deriv/OperatorToken.h"

void ReplaceAll(std::string &text, const std::string &from, const std::string &to)
{
    if (from.empty() || text.size() < from.size())
        return;
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t hit = text.find(from); hit != std::string::npos;
         hit = text.find(from, start)) {
        out.append(text, start, hit - start);
        out += to;
        start = hit + from.size();
    }
    if (start == 0)
        return;
    out.append(text, start, std::string::npos);
    text.swap(out);
}

void EncodeNames(std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ' ')
            continue;
        out += (c == '~') ? '-' : c;
    }
    text.swap(out);
    // Every name has a lower-case letter other than x; most texts here are
    // already coded.
    bool named = false;
    for (char c : text)
        named = named || (IsLowerLetter(c) && c != 'x');
    if (!named)
        return;
    for (const auto &[name, letter] : FunctionNames())
        ReplaceAll(text, name, std::string(1, letter));
}

void DecodeNames(std::string &text)
{
    bool any = false;
    for (char c : text)
        any = any || IsCodeLetter(c);
    if (!any)
        return;
    const auto names = FunctionNames();
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!IsCodeLetter(c)) {
            out += c;
            continue;
        }
        for (const auto &[name, letter] : names)
            if (letter == c) {
                out += name;
                break;
            }
        // A parameter right after a name would join it: "sin" and h read as
        // sinh, so the argument keeps a bracket pair. "pi" is no parameter.
        const bool pi = text.compare(i + 1, 2, "pi") == 0;
        if (i + 1 < text.size() && IsParameterLetter(text[i + 1]) && !pi) {
            out += '(';
            out += text[++i];
            out += ')';
        }
    }
    text.swap(out);
}

std::vector<SOperatorToken> TokeniseAndStrip(std::string &text, std::vector<int> *positionMap)
{
    std::vector<SOperatorToken> tokens;
    std::string stripped;
    stripped.reserve(text.size());
    if (positionMap) {
        positionMap->clear();
        positionMap->reserve(text.size());
    }
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(' || c == ')') {
            depth += (c == '(') ? 1 : -1;
            continue;
        }
        const int position = static_cast<int>(stripped.size());
        stripped += c;
        if (positionMap)
            positionMap->push_back(static_cast<int>(i));
        SOperatorToken token;
        token.m_cChar = c;
        token.m_nDepth = depth;
        token.m_nPosition = position;
        if (IsCodeLetter(c)) {
            token.m_bUnary = true;
        } else if (c == '-') {
            const char before = (i == 0) ? '\0' : text[i - 1];
            token.m_bUnary = !(i > 0 && (IsDigit(before) || before == '.' || before == ')' ||
                                         IsVariableChar(before)));
        } else if (c != '^' && c != '*' && c != '/' && c != '+') {
            continue;
        }
        if (token.m_bUnary || c == '^')
            token.m_nPrecedence = 6;
        else if (c == '*' || c == '/')
            token.m_nPrecedence = 4;
        else
            token.m_nPrecedence = 2;
        tokens.push_back(token);
    }
    text.swap(stripped);
    return tokens;
}

std::size_t ChooseMainOperator(const std::vector<SOperatorToken> &tokens, std::size_t first,
                               std::size_t last)
{
    std::size_t p = first;
    for (std::size_t k = first + 1; k <= last; ++k) {
        const SOperatorToken &tp = tokens[p];
        const SOperatorToken &tk = tokens[k];
        if (tk.m_nDepth == tp.m_nDepth && tk.m_nPrecedence == tp.m_nPrecedence &&
            tp.m_nPrecedence != 6)
            p = k;
        const SOperatorToken &tq = tokens[p];
        if (tq.m_nDepth > tk.m_nDepth ||
            (tq.m_nDepth == tk.m_nDepth && tq.m_nPrecedence > tk.m_nPrecedence))
            p = k;
    }
    return p;
}
