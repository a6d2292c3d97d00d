#include "deriv/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "deriv/ConstantEvaluator.h"

namespace {

constexpr const char *kNaNText = "(G2)";        // asin 2
constexpr const char *kPlusInfText = "(-Y0)";   // -ln 0
constexpr const char *kMinusInfText = "(Y0)";   // ln 0


std::string ToChars(double v, std::chars_format format)
{
    char buffer[400];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, v, format);
    if (ec != std::errc())
        return std::string();
    return std::string(buffer, ptr);
}

bool SameDouble(double a, double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

}  // namespace

bool ReadsBackTo(const std::string &text, double value)
{
    const double back = CConstantEvaluator(text).m_dValue;
    if (std::isnan(value))
        return std::isnan(back);
    return SameDouble(back, value);
}

std::string FormatConstant(double value)
{
    if (std::isnan(value))
        return kNaNText;
    if (std::isinf(value))
        return value > 0 ? kPlusInfText : kMinusInfText;
    if (value == 0.0)
        return "0";  // no "-0": a sign would only confuse the later steps

    // Shortest round-tripping digits and the decimal exponent.
    const std::string scientific = ToChars(std::fabs(value), std::chars_format::scientific);
    const std::size_t ePos = scientific.find('e');
    std::string digits;
    for (std::size_t i = 0; i < ePos; ++i)
        if (scientific[i] != '.')
            digits += scientific[i];
    int exponent = 0;
    std::from_chars(scientific.data() + ePos + 1 + (scientific[ePos + 1] == '+'),
                    scientific.data() + scientific.size(), exponent);
    const std::string sign = value < 0 ? "-" : "";

    if (exponent > -7 && exponent < 21)
        return ToChars(value, std::chars_format::fixed);

    const int n = static_cast<int>(digits.size());
    std::string mantissa = digits.substr(0, 1);
    if (n > 1)
        mantissa += "." + digits.substr(1);
    std::string candidates[3];
    if (exponent >= 21) {
        candidates[0] = mantissa == "1" ? "10^" + std::to_string(exponent)
                                        : mantissa + "*10^" + std::to_string(exponent);
        candidates[1] = digits + "*10^" + std::to_string(exponent - n + 1);
    } else {
        candidates[0] = digits + "/10^" + std::to_string(n - 1 - exponent);
        candidates[1] = mantissa + "/10^" + std::to_string(-exponent);
        candidates[2] = mantissa + "*10^-" + std::to_string(-exponent);
    }
    for (const std::string &candidate : candidates) {
        if (candidate.empty())
            continue;
        const std::string text = "(" + sign + candidate + ")";
        if (ReadsBackTo(text, value))
            return text;
    }
    // Plain decimal digits always read back exactly, however long.
    return ToChars(value, std::chars_format::fixed);
}
