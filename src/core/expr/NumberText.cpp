#include "core/expr/NumberText.h"

#include "core/expr/ConstantValue.h"

#include <cctype>
#include <charconv>
#include <algorithm>
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

namespace {

// Digits before the point of a fixed text, a lone "0" not counted.
int WholeDigits(const std::string &text)
{
    const std::size_t first = text.find_first_of("0123456789");
    const std::size_t point = std::min(text.find('.'), text.size());
    if (first == std::string::npos || (point == first + 1 && text[first] == '0'))
        return 0;
    return static_cast<int>(point - first);
}

}  // namespace

std::string FormatFixedHeld(double value, int decimals)
{
    constexpr int kHeld = 15;
    if (!std::isfinite(value) || decimals < 0)
        return FormatFixed(value, decimals);
    if (std::fabs(value) >= 1e15)
        return FormatExp(value, kHeld - 1);
    // Rounding may carry into a new whole digit (99999.99999999999 to ten
    // decimals is 100000.0000000000), so the count is made on the text.
    for (int shown = decimals;;) {
        std::string text = FormatFixed(value, shown);
        const int whole = WholeDigits(text);
        if (whole + shown <= kHeld || shown == 0) {
            if (whole > kHeld)
                return FormatExp(value, kHeld - 1);
            return text;
        }
        shown = std::max(kHeld - whole, 0);
    }
}

std::string FormatExp(double value, int decimals)
{
    return Format(value, decimals, std::chars_format::scientific);
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a decimal text that from_chars found beyond double is too large
// rather than too small: where its first nonzero digit stands plus its
// exponent says which, however many zeros lead or trail.
bool TooLarge(const char *first, const char *last)
{
    long long lead = 0;
    bool nonzero = false, point = false;
    const char *p = first;
    for (; p < last && (IsDigit(*p) || (*p == '.' && !point)); ++p) {
        if (*p == '.')
            point = true;
        else if (nonzero || *p != '0')
            lead += point ? 0 : 1, nonzero = true;
        else if (point)
            --lead;
    }
    long long exponent = 0;
    if (p + 1 < last && (*p == 'e' || *p == 'E')) {
        const bool negative = p[1] == '-';
        p += p[1] == '-' || p[1] == '+' ? 2 : 1;
        for (; p < last && IsDigit(*p); ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), 100000LL);
        if (negative)
            exponent = -exponent;
    }
    return lead + exponent > 0;
}

// The leading number after blanks and one sign; no number reads as 0.
// specials: "inf" and "nan" are numbers; saturate: an overflow gives the
// largest double instead of infinity.
double ReadLeading(const std::string &text, bool specials, bool saturate)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // from_chars would take a second '-' itself.
    if (i >= text.size() || text[i] == '+' || text[i] == '-')
        return 0.0;
    if (!specials && !(IsDigit(text[i]) || text[i] == '.'))
        return 0.0;
    double value = 0.0;
    const char *first = text.data() + i;
    const auto res = std::from_chars(first, text.data() + text.size(), value, std::chars_format::general);
    if (res.ec == std::errc::invalid_argument)
        return 0.0;
    if (res.ec == std::errc::result_out_of_range) {
        const double huge = saturate ? std::numeric_limits<double>::max() : std::numeric_limits<double>::infinity();
        value = TooLarge(first, res.ptr) ? huge : 0.0;
    }
    return negative ? -value : value;
}

std::string Special(double value)
{
    if (std::isnan(value))
        return "nan";
    return value < 0 ? "-inf" : "inf";
}

}  // namespace

SWholeNumber ExamineNumber(const std::string &text)
{
    std::size_t first = 0, last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    if (first < last && text[first] == '+')
        ++first;
    const char *begin = text.data() + first, *end = text.data() + last;
    const std::size_t lead = first + 1 < last && text[first] == '-' ? first + 1 : first;
    SWholeNumber number;
    const auto res = std::from_chars(begin, end, number.value, std::chars_format::general);
    if (res.ptr != end || res.ec == std::errc::invalid_argument)
        number.kind = NumberKind::NotNumber;
    else if (lead >= last || !(IsDigit(text[lead]) || text[lead] == '.'))
        number.kind = NumberKind::NotFinite;  // "nan", "inf": from_chars takes them, a field does not
    else if (res.ec == std::errc::result_out_of_range)
        number.kind = NumberKind::OutOfRange;
    else
        number.kind = NumberKind::Number;
    if (number.kind != NumberKind::Number)
        number.value = 0.0;
    return number;
}

std::optional<double> ReadWholeNumber(const std::string &text)
{
    const SWholeNumber number = ExamineNumber(text);
    if (number.kind != NumberKind::Number)
        return std::nullopt;
    return number.value;
}

std::optional<int> ReadWholeInteger(const std::string &text)
{
    std::size_t first = text.find_first_not_of(" \t\r\n\f\v");
    const std::size_t last = text.find_last_not_of(" \t\r\n\f\v") + 1;
    if (first == std::string::npos)
        return std::nullopt;
    const bool negative = text[first] == '-';
    if (text[first] == '+' || negative)
        ++first;
    // from_chars takes no '+' and would take a second '-'.
    if (first >= last || !IsDigit(text[first]))
        return std::nullopt;
    long long value = 0;
    const auto res = std::from_chars(text.data() + first, text.data() + last, value);
    if (res.ec != std::errc() || res.ptr != text.data() + last)
        return std::nullopt;
    value = negative ? -value : value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<double> ReadCellNumber(const std::string &text)
{
    if (text.find_first_not_of(" \t\r\n\f\v") == std::string::npos)
        return 0.0;
    return ReadConstantValue(text);
}

double ReadNumber(const std::string &text) { return ReadLeading(text, false, true); }

double ReadNumberText(const std::string &text) { return ReadLeading(text, true, false); }

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

std::size_t ReadDecimal(const char *first, const char *last, double &value, char exponentMark)
{
    value = 0.0;
    if (first >= last)
        return 0;
    const char *end = first;
    bool digits = false;
    for (bool point = false; end < last && (IsDigit(*end) || (*end == '.' && !point)); ++end) {
        point = point || *end == '.';
        digits = digits || *end != '.';
    }
    if (!digits)  // a lone '.'
        return 1;
    if (exponentMark != '\0' && end + 1 < last && *end == exponentMark) {
        const char *p = end + 1 + (end[1] == '-' || end[1] == '+');
        if (p < last && IsDigit(*p)) {
            while (p < last && IsDigit(*p))
                ++p;
            end = p;
        }
    }
    const auto res = std::from_chars(first, end, value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range)
        value = TooLarge(first, end) ? std::numeric_limits<double>::infinity() : 0.0;  // as strtod
    return static_cast<std::size_t>(end - first);
}

std::string FormatSignificant(double value, int digits)
{
    if (!std::isfinite(value))
        return Special(value);
    char buffer[400];
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

std::string FormatCondition(double condition)
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
