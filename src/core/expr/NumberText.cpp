#include "core/expr/NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

std::string Format(double value, int decimals, std::chars_format fmt)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    // Fixed notation of 1e308 needs 309 digits plus the decimals.
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, value, fmt, decimals);
    if (res.ec != std::errc())
        return {};
    return std::string(buf, res.ptr);
}

}  // namespace

std::string FormatFixed(double value, int decimals)
{
    return Format(value, decimals, std::chars_format::fixed);
}

std::string FormatExp(double value, int decimals)
{
    return Format(value, decimals, std::chars_format::scientific);
}

std::optional<double> ReadWholeNumber(const std::string &text)
{
    std::size_t first = 0, last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    if (first < last && text[first] == '+')
        ++first;
    // from_chars would take "nan" and "inf"; a field takes digits only.
    const std::size_t lead = first + 1 < last && text[first] == '-' ? first + 1 : first;
    if (lead >= last || !(std::isdigit(static_cast<unsigned char>(text[lead])) || text[lead] == '.'))
        return std::nullopt;
    double value = 0.0;
    const auto res = std::from_chars(text.data() + first, text.data() + last, value, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != text.data() + last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double ReadNumber(const std::string &text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // from_chars takes no sign of its own apart from '-', and would accept
    // "nan"/"inf", which atof-style reading of a range field must not.
    if (i >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.'))
        return 0.0;
    double value = 0.0;
    const char *first = text.data() + i;
    const char *last = text.data() + text.size();
    auto res = std::from_chars(first, last, value, std::chars_format::general);
    if (res.ec == std::errc::invalid_argument)
        return 0.0;
    if (res.ec == std::errc::result_out_of_range) {
        // Too large saturates, too small underflows to zero, as strtod does.
        // Tell them apart by the exponent's sign.
        bool tiny = false;
        for (const char *p = first; p < res.ptr; ++p) {
            if ((*p == 'e' || *p == 'E') && p + 1 < res.ptr && p[1] == '-')
                tiny = true;
        }
        value = tiny ? 0.0 : std::numeric_limits<double>::max();
    }
    return negative ? -value : value;
}

std::string NumberRangeText(double min, double max)
{
    return "Please enter a number between " + FormatShortest(min) + " and " + FormatShortest(max) + ".";
}

std::string FormatShortest(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

std::size_t ReadDecimal(const char *first, const char *last, double &value)
{
    if (first >= last) {
        value = 0.0;
        return 0;
    }
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec == std::errc::invalid_argument) {  // a lone '.'
        value = 0.0;
        return 1;
    }
    if (ec == std::errc::result_out_of_range) {
        // Like strtod: overflow to infinity, underflow to zero. Without an
        // exponent only a nonzero integer part can overflow.
        bool large = false;
        for (const char *p = first; p < ptr && *p != '.'; ++p)
            large = large || (*p != '0');
        value = large ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return static_cast<std::size_t>(ptr - first);
}
