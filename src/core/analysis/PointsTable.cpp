#include "core/analysis/PointsTable.h"

#include "core/expr/ShownNumber.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

// Like printf("%-<width>s", text).
std::string PadRight(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

// A finite double as its shortest decimal text, split into an integer
// mantissa and a power of ten. False where that does not fit.
bool SplitDecimal(double v, __int128 &mantissa, int &exponent)
{
    const std::string text = ShownExact(v);
    __int128 m = 0;
    int e = 0, digits = 0;
    bool point = false, negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (++digits > 20)
                return false;
            m = m * 10 + (c - '0');
            e -= point ? 1 : 0;
        } else if (c == 'e' || c == 'E') {
            e += std::atoi(text.c_str() + i + 1);
            break;
        } else {
            return false;
        }
    }
    mantissa = negative ? -m : m;
    exponent = e;
    return digits > 0;
}

// x_i = from + i * step worked out on the decimals the user typed (the
// shortest texts of from and step), then rounded once: 0.1 + 2 * 0.1 is
// 0.3, where the doubles' sum would be 0.30000000000000004.
std::optional<double> DecimalRow(double from, double step, std::int64_t i)
{
    __int128 mf = 0, ms = 0;
    int ef = 0, es = 0;
    if (!SplitDecimal(from, mf, ef) || !SplitDecimal(step, ms, es))
        return std::nullopt;
    const int e = std::min(ef, es);
    for (int k = e; k < ef; ++k) {
        if (mf > static_cast<__int128>(1e35) || mf < -static_cast<__int128>(1e35))
            return std::nullopt;
        mf *= 10;
    }
    for (int k = e; k < es; ++k) {
        if (ms > static_cast<__int128>(1e30))
            return std::nullopt;
        ms *= 10;
    }
    __int128 m = mf + ms * i;
    const bool negative = m < 0;
    if (negative)
        m = -m;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m > 0);
    const std::string text = (negative ? "-" : "") + digits + "e" + std::to_string(e);
    return std::strtod(text.c_str(), nullptr);
}

}  // namespace

std::vector<STableMessage> CheckTableSettings(const STableSettings &s)
{
    std::vector<STableMessage> messages;
    if (!(s.increment > 0)) {
        messages.push_back({"Error 0x0B:\n\nThe increment must be greater than zero.\nPlease,re-enter the increment.",
                            "Invalid Increment"});
    } else {
        // Only now is the step count a number.
        const double n = (s.to - s.from) / s.increment;
        if (n > kMaxTableSteps || s.from + s.increment == s.from)
            messages.push_back({"Error 0x0C:\n\nThe values in the domain which you specified is too large, and will "
                                "take a lot of time.\nPlease, re-enter another domain or increment.",
                                "Too many points"});
    }
    if (!(s.from < s.to))
        messages.push_back({"Error 0x06:\n\nThe start of domain must be less than the end.\nPlease correct the error "
                            "and try again.",
                            "Invalid domain"});
    return messages;
}

std::int64_t TableRowCount(const STableSettings &s)
{
    const double last = std::floor((s.to - s.from) / s.increment + 1e-9);
    if (!(last >= 0))
        return 0;
    return static_cast<std::int64_t>(std::min(last, static_cast<double>(kMaxTableSteps))) + 1;
}

std::string TableLine(double xr, double yr)
{
    return PadRight(ShownTableCell(xr), 30) + PadRight(ShownTableCell(yr, kInfiniteBound), 20);
}

std::vector<STableRow> PointsTableRows(const std::string &function, const STableSettings &s,
                                       const SParameterValues &parameters)
{
    std::vector<STableRow> rows;
    if (function.find_first_not_of(' ') == std::string::npos || !CheckTableSettings(s).empty())
        return rows;
    const std::size_t n = static_cast<std::size_t>(TableRowCount(s));
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = DecimalRow(s.from, s.increment, static_cast<std::int64_t>(i))
                   .value_or(s.from + static_cast<double>(i) * s.increment);
        // A row meant to be 0 may come out a rounding error away from it
        // (-0.3 + 3 * 0.1); it is 0, which also keeps a minus off a zero.
        if (std::fabs(x[i]) < 1e-9 * s.increment)
            x[i] = 0.0;
    }
    std::vector<double> y(n);
    CExpression f;
    f.SetParameters(parameters);
    f.SetExpression(function);
    f.EvaluateMany(x.data(), y.data(), n);
    rows.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        rows.push_back({x[i], y[i] == 0 ? 0.0 : y[i]});  // no minus on a zero
    return rows;
}

std::vector<std::string> ComputePointsTable(const std::string &function, const STableSettings &s,
                                            const SParameterValues &parameters)
{
    std::vector<std::string> lines;
    for (const STableRow &row : PointsTableRows(function, s, parameters))
        lines.push_back(TableLine(row.x, row.y));
    return lines;
}

std::string TableText(const std::vector<STableRow> &rows, char separator)
{
    std::string text = std::string("x") + separator + "f(x)\n";
    for (const STableRow &row : rows) {
        text += ShownExact(row.x);
        text += separator;
        if (IsFinite(row.y))
            text += ShownExact(row.y);
        text += '\n';
    }
    return text;
}
