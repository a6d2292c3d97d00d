#include "core/expr/ShownNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

constexpr int kHeldDigits = 15;

std::string Special(double value)
{
    if (std::isnan(value))
        return "nan";
    return value < 0 ? "-inf" : "inf";
}

std::string Write(double value, int precision, std::chars_format fmt)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    // Fixed notation of 1e308 needs 309 digits plus the decimals.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, fmt, precision);
    if (res.ec != std::errc())
        return {};
    return std::string(buf, res.ptr);
}

// Digits before the point of a fixed text, a lone "0" not counted.
int WholeDigits(const std::string &text)
{
    const std::size_t first = text.find_first_of("0123456789");
    const std::size_t point = std::min(text.find('.'), text.size());
    if (first == std::string::npos || (point == first + 1 && text[first] == '0'))
        return 0;
    return static_cast<int>(point - first);
}

// Fixed to `decimals`, cut to the digits a double holds.
std::string FixedHeld(double value, int decimals)
{
    if (!std::isfinite(value) || decimals < 0)
        return FormatFixed(value, decimals);
    if (std::fabs(value) >= 1e15)
        return FormatExp(value, kHeldDigits - 1);
    // Rounding may carry into a new whole digit (99999.99999999999 to ten
    // decimals is 100000.0000000000), so the count is made on the text.
    for (int shown = decimals;;) {
        std::string text = FormatFixed(value, shown);
        const int whole = WholeDigits(text);
        if (whole + shown <= kHeldDigits || shown == 0) {
            if (whole > kHeldDigits)
                return FormatExp(value, kHeldDigits - 1);
            return text;
        }
        shown = std::max(kHeldDigits - whole, 0);
    }
}

}  // namespace

std::string FormatFixed(double value, int decimals) { return Write(value, decimals, std::chars_format::fixed); }

std::string FormatExp(double value, int decimals) { return Write(value, decimals, std::chars_format::scientific); }

std::string FormatSignificant(double value, int digits)
{
    if (!std::isfinite(value))
        return Special(value);
    return Write(value, digits, std::chars_format::general);
}

std::string ShownValue(double value, int decimals)
{
    std::string text = FixedHeld(value, decimals);
    if (!text.empty() && text[0] == '-' && text.find_first_of("123456789") == std::string::npos &&
        text.find_first_of("0") != std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string ShownRoot(double value, int decimals)
{
    if (!std::isfinite(value))
        return FormatExp(value, 7);
    if (!(std::fabs(value) >= 0.5 * std::pow(10.0, -decimals)))
        return FormatExp(0.0, std::clamp(decimals, 0, kHeldDigits));
    // The mantissa keeps to the digits a double holds: 14 decimals after its first digit.
    const int e = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    return FormatExp(value, std::clamp(decimals + e, 0, kHeldDigits - 1));
}

std::string UndefinedWord(double value, double bound)
{
    if (std::isnan(value))
        return "NOT DEFINE";
    if (std::isinf(value) || std::fabs(value) > bound)
        return value < 0 ? "Minus INFINTY" : "INFINTY";
    return {};
}

std::string ShownTableCell(double value, double bound)
{
    if (std::string word = UndefinedWord(value, bound); !word.empty())
        return word;
    return FormatExp(value, 5);
}

std::string ShownMatrixCell(double value, int digits)
{
    if (value == 0)
        return FormatFixed(0.0, 4);  // also for -0
    if (digits < kHeldDigits && std::isfinite(value)) {
        // As many decimals as the digits that hold reach, at most four.
        const int held = std::max(digits, 1);
        const int magnitude = static_cast<int>(std::floor(std::log10(std::abs(value))));
        const int decimals = held - 1 - magnitude;
        if (decimals < 0 || magnitude < -4 || std::abs(value) >= 1e15)
            return FormatExp(value, std::min(held - 1, 4));
        if (decimals < 4)
            return FormatFixed(value, decimals);
    }
    const std::string text = FormatFixed(value, 4);
    const std::size_t first = text.find_first_not_of("-0.");
    const std::size_t significant =
        first == std::string::npos ? 0 : text.size() - first - (text.find('.') > first ? 1 : 0);
    // Past 15 digits before the point the fixed form shows binary noise (1e120
    // would read 999999999999999980003...), so that goes to exponent form too.
    return significant < 4 || std::abs(value) >= 1e15 ? FormatExp(value, 4) : text;
}

std::string ShownField(double value) { return FormatSignificant(value, kHeldDigits); }

std::string ShownExact(double value)
{
    if (!std::isfinite(value))
        return Special(value);
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

std::string ShownSolution(double value)
{
    std::string text = FormatSignificant(value, 10);
    if (!std::isfinite(value) || text.find('.') != std::string::npos)
        return text;
    const std::size_t exponent = std::min(text.find('e'), text.size());
    return text.substr(0, exponent) + '.' + text.substr(exponent);
}

std::string ShownCondition(double condition)
{
    if (!std::isfinite(condition))
        return "infinity";
    std::string text = FormatExp(condition, 1);
    // "1.6e+13" -> "1.6e13", "2.0e-05" -> "2.0e-5"
    const std::size_t e = text.find('e');
    std::string exponent = text.substr(e + 1);
    const bool negative = exponent[0] == '-';
    exponent.erase(0, exponent.find_first_not_of("+-0"));
    return text.substr(0, e) + 'e' + (negative ? "-" : "") + (exponent.empty() ? "0" : exponent);
}
