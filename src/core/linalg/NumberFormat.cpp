#include "core/linalg/NumberFormat.h"

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
