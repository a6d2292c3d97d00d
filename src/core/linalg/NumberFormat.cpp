#include "core/linalg/NumberFormat.h"

#include "core/expr/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

std::string Special(double value)
{
    if (std::isnan(value))
        return "nan";
    return value < 0 ? "-inf" : "inf";
}

}  // namespace

std::string FormatSignificant(double value, int digits)
{
    if (!std::isfinite(value))
        return Special(value);
    char buffer[64];
    const auto res = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, res.ptr);
}

std::string FormatTenDigits(double value)
{
    std::string text = FormatSignificant(value, 10);
    if (!std::isfinite(value) || text.find('.') != std::string::npos)
        return text;
    const std::size_t exponent = std::min(text.find('e'), text.size());
    return text.substr(0, exponent) + '.' + text.substr(exponent);
}

std::optional<double> ReadCellNumber(const std::string &text)
{
    if (text.find_first_not_of(" \t\r\n\f\v") == std::string::npos)
        return 0.0;
    return ReadWholeNumber(text);
}

std::string FormatCondition(double condition)
{
    if (!std::isfinite(condition))
        return "infinity";
    char buffer[64];
    const auto res = std::to_chars(buffer, buffer + sizeof buffer, condition, std::chars_format::scientific, 1);
    std::string text(buffer, res.ptr);
    // "1.6e+13" -> "1.6e13", "2.0e-05" -> "2.0e-5"
    const std::size_t e = text.find('e');
    std::string exponent = text.substr(e + 1);
    const bool negative = exponent[0] == '-';
    exponent.erase(0, exponent.find_first_not_of("+-0"));
    return text.substr(0, e) + 'e' + (negative ? "-" : "") + (exponent.empty() ? "0" : exponent);
}
