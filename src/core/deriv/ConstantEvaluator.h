#pragma once

#include <string>
#include <vector>

#include "core/deriv/OperatorToken.h"

// Value of a coded text without x, such as a bracket group "(2-1)" of a raw
// derivative. Evaluated directly by the same operator choice the
// differentiation engine uses. Domain errors and poles give NaN or infinity.
class CConstantEvaluator
{
public:
    explicit CConstantEvaluator(std::string text);

    double m_dValue = 0.0;

private:
    double EvaluateRange(int from, int to, int firstToken, int lastToken, int level) const;

    std::vector<SOperatorToken> m_aTokens;
    std::string m_strText;
};
