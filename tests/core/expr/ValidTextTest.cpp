// Texts that were valid before parameter letters existed, with the coded
// text and the values the coder and evaluator gave them then. Taken from the
// coded-text table, the expression test tables and the fuzz corpora.
#include "core/expr/Expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Hex(double v)
{
    if (std::isnan(v))
        return "nan";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%a", v);
    return buffer;
}

struct SRow
{
    std::string text, coded, values;
};

std::vector<SRow> Rows()
{
    std::vector<SRow> rows;
    std::ifstream in(CORVANTA_VALID_TEXTS);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        SRow row;
        std::getline(fields, row.text, '\t');
        std::getline(fields, row.coded, '\t');
        std::getline(fields, row.values, '\t');
        rows.push_back(row);
    }
    return rows;
}

TEST(ValidTexts, KeepTheirCodedTextAndValues)
{
    const std::vector<SRow> rows = Rows();
    ASSERT_GT(rows.size(), 1000u);
    for (const SRow &row : rows) {
        SCOPED_TRACE(row.text);
        CExpression e;
        e.SetExpression(row.text);
        EXPECT_EQ(e.m_strCoded, row.coded + ")");
        EXPECT_EQ(CheckSyntax(e.m_strCoded), 0);
        EXPECT_TRUE(e.UsedParameters().empty());
        const double xs[] = {-2.5, 0.5, 3.0};
        double bulk[3];
        e.EvaluateMany(xs, bulk, 3);
        std::string values;
        for (std::size_t i = 0; i < 3; ++i) {
            values += (i ? " " : "") + Hex(e.Evaluate(xs[i]));
            EXPECT_EQ(Hex(bulk[i]), Hex(e.Evaluate(xs[i])));
        }
        e.m_bDegree = true;
        values += " " + Hex(e.Evaluate(30.0));
        EXPECT_EQ(values, row.values);
    }
}

}  // namespace

namespace {

// Refused texts without a parameter letter keep the code they were refused with.
TEST(InvalidTexts, KeepTheirSyntaxCode)
{
    std::ifstream in(CORVANTA_INVALID_TEXTS);
    int read = 0;
    for (std::string line; std::getline(in, line); ++read) {
        const std::size_t tab = line.rfind('\t');
        CExpression e;
        e.SetExpression(line.substr(0, tab));
        EXPECT_EQ(std::to_string(CheckSyntax(e.m_strCoded)), line.substr(tab + 1)) << line;
    }
    EXPECT_GT(read, 200);
}

}  // namespace
