#include "core/analysis/PrintfText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

std::string Format(double value, int decimals, std::chars_format fmt)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    if (decimals < 0)
        decimals = 6;
    // Most texts are short; to_chars says when one is not.
    char small[64];
    const auto quick = std::to_chars(small, small + sizeof small, value, fmt, decimals);
    if (quick.ec == std::errc())
        return std::string(small, quick.ptr);
    // Sign, 309 integer digits, point, decimals and an exponent always fit.
    std::string text(static_cast<std::size_t>(decimals) + 330, '\0');
    const auto res = std::to_chars(text.data(), text.data() + text.size(), value, fmt, decimals);
    if (res.ec != std::errc())
        return {};
    text.resize(static_cast<std::size_t>(res.ptr - text.data()));
    return text;
}

}  // namespace

std::string PrintfFixed(double value, int decimals) { return Format(value, decimals, std::chars_format::fixed); }

std::string PrintfExp(double value, int decimals) { return Format(value, decimals, std::chars_format::scientific); }

std::string PadRight(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}
