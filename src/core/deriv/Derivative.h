#pragma once

#include <string>
#include <vector>

#include "core/deriv/OperatorToken.h"

// What callers say when a derivative outgrows the size the rules may build.
inline constexpr const char *kDerivativeTooLongText = "The derivative of this function is too long to be worked out.";

// The derivative with respect to x of a function text, built by fixed rule
// templates over the operators of the text and then simplified. Accepts the
// coded expression or text as typed (blanks, '~', function names, "pi", "e");
// every product needs its '*'. The result is typed text (names spelled out).
class CDerivative
{
public:
    explicit CDerivative(std::string text);
    virtual ~CDerivative() = default;

    std::string GetResult() const { return m_strResult; }
    // The last derivation outgrew the size limit: the result is empty.
    bool TooLong() const { return m_bTooLarge; }

    // Differentiates the text again in this object; with the text of
    // GetResult this gives the second derivative. An empty text yields "0".
    void Rederive(std::string text);

private:
    void Derive();
    std::string DeriveRange(int from, int to, int firstToken, int lastToken, int level);
    std::string DeriveBinary(int from, int to, int firstToken, int lastToken, int main,
                             int level);
    std::string DeriveFunction(int from, int to, int firstToken, int lastToken, char function,
                               int level);
    std::string OperandText(int from, int to) const;

    std::vector<SOperatorToken> m_aTokens;
    std::string m_strWork;
    std::string m_strResult;
    std::string m_strBracketed;      // coded input with its brackets
    std::vector<int> m_aPositionMap;  // non-bracket character -> index in m_strBracketed
    bool m_bTooLarge = false;
};
