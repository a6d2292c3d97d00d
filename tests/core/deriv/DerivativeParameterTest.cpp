#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/deriv/Derivative.h"
#include "core/expr/Expression.h"

namespace {

// The derivative texts of the valid-text table, as they were before
// parameter letters existed ("-" where the table kept none).
TEST(DerivativeOfValidTexts, IsTheTextItWas)
{
    std::ifstream in(CORVANTA_VALID_TEXTS);
    int compared = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string text, coded, values, derivative;
        std::getline(fields, text, '\t');
        std::getline(fields, coded, '\t');
        std::getline(fields, values, '\t');
        std::getline(fields, derivative, '\t');
        if (derivative == "-")
            continue;
        CExpression f;
        f.SetExpression(text);
        EXPECT_EQ(CDerivative(f.m_strCoded).GetResult(), derivative) << text;
        ++compared;
    }
    EXPECT_GT(compared, 1000);
}

}  // namespace
