#include "core/expr/ConstantValue.h"
#include "core/expr/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>

namespace {

TEST(ConstantValue, FieldsCellsAndTheCommandLineReadOneLanguage)
{
    const double none = std::nan("");
    const struct { const char *text; double value; } cases[] = {
        {" 2.5 ", 2.5},  {"-.5", -0.5},  {"1e3", 1000},  // plain numbers: "e" is an exponent here
        {"pi/2", std::numbers::pi / 2}, {"SQRT(3)", std::sqrt(3.0)}, {"2Pi", 2 * std::numbers::pi},
        {"-E^2", -std::exp(2.0)}, {"sin(pi/6)", 0.5},  // radians
        {"x", none}, {"2x", none}, {"1e400", none}, {"1/0", none}, {"ln(-1)", none}, {"abc", none},
        {"1,5", none}, {"", none}, {"  ", none}, {"nan", none}, {"sin(", none},
    };
    for (const auto &c : cases) {
        const std::optional<double> value = ReadConstantValue(c.text);
        if (std::isnan(c.value))
            EXPECT_EQ(value, std::nullopt) << c.text;
        else {
            ASSERT_TRUE(value.has_value()) << c.text;
            EXPECT_NEAR(*value, c.value, 1e-15 * std::fabs(c.value)) << c.text;
        }
    }
    // A blank cell is 0; otherwise a cell reads as a field does.
    EXPECT_EQ(ReadCellNumber(" "), 0.0);
    EXPECT_EQ(ReadCellNumber("pi/4"), std::numbers::pi / 4);
    EXPECT_EQ(ReadCellNumber("2x"), std::nullopt);
}

}  // namespace
