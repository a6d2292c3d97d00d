#include "core/expr/NumberText.h"

#include "core/expr/ConstantValue.h"
#include "core/expr/ShownNumber.h"

#include <cctype>
#include <charconv>
#include <algorithm>
#include <cmath>
#include <limits>
#include <system_error>

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
    return "Please enter a number between " + ShownExact(min) + " and " + ShownExact(max) + ".";
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



