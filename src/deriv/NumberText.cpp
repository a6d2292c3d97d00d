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

    // Shortest round-tripping digits and the decimal exponent.
    int exponent = 0;
    const std::string shortest = Digits(std::fabs(value), -1, exponent);
    if (exponent > -7 && exponent < 21)
        return ToChars(value, std::chars_format::fixed);

    // A power of ten is exact only up to 10^22, so the product or quotient
    // may round differently from the decimal: try the digits with the point
    // in every place, the powers split at 10^22, and 17 digits instead of
    // the shortest, and keep the shortest text that reads back exactly.
    const std::string sign = value < 0 ? "-" : "";
    std::string best;
    auto consider = [&](const std::string &candidate) {
        const std::string text = "(" + sign + candidate + ")";
        if ((best.empty() || text.size() < best.size()) && ReadsBackTo(text, value))
            best = text;
    };
    int e17 = 0;
    const std::string seventeen = Digits(std::fabs(value), 16, e17);
    for (const std::string &digits : {shortest, seventeen}) {
        const int n = static_cast<int>(digits.size());
        for (int j = 0; j < n; ++j) {
            // Mantissa with j + 1 digits before the point, times 10^k.
            std::string mantissa = digits.substr(0, j + 1);
            std::string fraction = digits.substr(j + 1);
            while (!fraction.empty() && fraction.back() == '0')
                fraction.pop_back();
            if (!fraction.empty())
                mantissa += "." + fraction;
            const int k = exponent - j;
            if (k > 0) {
                consider((mantissa == "1" ? "" : mantissa + "*") + "10^" + std::to_string(k));
                if (k > 22)
                    consider(mantissa + "*10^22*10^" + std::to_string(k - 22));
            } else if (k < 0) {
                consider(mantissa + "/10^" + std::to_string(-k));
                if (-k > 22)
                    consider(mantissa + "/10^22/10^" + std::to_string(-k - 22));
            }
        }
        if (!best.empty())
            return best;
    }
    // Plain decimal digits always read back exactly, however long.
    return ToChars(value, std::chars_format::fixed);
}
