#include "core/deriv/ConstantText.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <numbers>

#include "core/deriv/ConstantEvaluator.h"
#include "core/expr/CodedText.h"
#include "core/expr/NumberText.h"

namespace {

constexpr const char *kNaNText = "(G2)";        // asin 2
constexpr const char *kPlusInfText = "(-Y0)";   // -ln 0
constexpr const char *kMinusInfText = "(Y0)";   // ln 0


std::string IntText(int n)
{
    char buffer[16];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, n);
    return std::string(buffer, ec == std::errc() ? ptr : buffer);
}

std::string ToChars(double v, std::chars_format format)
{
    char buffer[400];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, v, format);
    if (ec != std::errc())
        return std::string();
    return std::string(buffer, ptr);
}

// The significant digits of a positive value (shortest round-tripping when
// precision is negative) and its decimal exponent.
std::string Digits(double v, int precision, int &exponent)
{
    std::string text;
    if (precision < 0) {
        text = ToChars(v, std::chars_format::scientific);
    } else {
        char buffer[64];
        auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, v,
                                       std::chars_format::scientific, precision);
        if (ec == std::errc())
            text.assign(buffer, ptr);
    }
    const std::size_t ePos = text.find('e');
    std::string digits;
    for (std::size_t i = 0; i < ePos && i < text.size(); ++i)
        if (text[i] != '.')
            digits += text[i];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    exponent = 0;
    if (ePos != std::string::npos && ePos + 1 < text.size()) {
        const char *p = text.data() + ePos + 1;
        if (*p == '+')
            ++p;
        std::from_chars(p, text.data() + text.size(), exponent);
    }
    return digits;
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
    // pi and e keep the spelling the core reads back to them, and the
    // simplifier names.
    if (std::fabs(value) == std::numbers::pi || std::fabs(value) == std::numbers::e)
        return std::string(value < 0 ? "-" : "") + (std::fabs(value) == std::numbers::pi ? kPiText : kEText);

    // Shortest round-tripping digits and the decimal exponent.
    int exponent = 0;
    const std::string shortest = Digits(std::fabs(value), -1, exponent);
    if (exponent > -7 && exponent < 21)
        return ToChars(value, std::chars_format::fixed);

    // A power of ten is exact only up to 10^22, so the product or quotient
    // may round differently from the decimal: try the digits with the point
    // in every place, the powers split at 10^22, and 17 digits instead of
    // the shortest, until one reads back exactly.
    const std::string sign = value < 0 ? "-" : "";
    const double magnitude = std::fabs(value);
    int e17 = 0;
    const std::string seventeen = Digits(magnitude, 16, e17);
    for (const auto &[digits, exponent] : {std::pair{shortest, exponent}, std::pair{seventeen, e17}}) {
        const int n = static_cast<int>(digits.size());
        // The point after the last digit first (the shortest text), then
        // after the first, then anywhere else; the split powers last.
        for (int pass = 0; pass < 2; ++pass) {
            for (int step = 0; step < n; ++step) {
                const int j = step == 0 ? n - 1 : step - 1;
                std::string mantissa = digits.substr(0, j + 1);
                std::string fraction = digits.substr(j + 1);
                while (!fraction.empty() && fraction.back() == '0')
                    fraction.pop_back();
                if (!fraction.empty())
                    mantissa += "." + fraction;
                // `back` is what the evaluators compute from the text: the
                // same operations in the same order (the sign goes with the
                // mantissa, which changes no magnitude).
                const int k = exponent - j;
                double m = 0;
                ReadDecimal(mantissa.data(), mantissa.data() + mantissa.size(), m);
                std::string candidate;
                double back = 0;
                if (pass == 0 && k > 0) {
                    candidate = (mantissa == "1" ? "" : mantissa + "*") + "10^" + IntText(k);
                    back = m * std::pow(10.0, k);
                } else if (pass == 0 && k < 0) {
                    candidate = mantissa + "/10^" + IntText(-k);
                    back = m / std::pow(10.0, -k);
                } else if (pass == 1 && k > 22) {
                    candidate = mantissa + "*10^22*10^" + IntText(k - 22);
                    back = m * std::pow(10.0, 22) * std::pow(10.0, k - 22);
                } else if (pass == 1 && k < -22) {
                    candidate = mantissa + "/10^22/10^" + IntText(-k - 22);
                    back = m / std::pow(10.0, 22) / std::pow(10.0, -k - 22);
                }
                if (!candidate.empty() && back == magnitude)
                    return "(" + sign + candidate + ")";
            }
        }
    }
    // Plain decimal digits always read back exactly, however long.
    return ToChars(value, std::chars_format::fixed);
}
