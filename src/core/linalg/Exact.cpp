#include "core/linalg/Exact.h"

#include "core/expr/ShownNumber.h"

#include <cmath>
#include <cstdlib>

namespace {

// Past this many bits in all (size times the widest scaled row element) the
// elimination would be slow; the tools fall back to floating point.
constexpr std::size_t kBitBudget = 24000;

mpz_class PowerOfTen(int exponent)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(exponent));
    return p;
}

}  // namespace

std::optional<mpq_class> ShortDecimal(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (value == 0)
        return mpq_class(0);
    const std::string text = ShownExact(value);
    std::string digits;
    int exponent = 0;
    bool negative = false, point = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.')
            point = true;
        else if (text[i] >= '0' && text[i] <= '9') {
            digits += text[i];
            if (point)
                --exponent;
        } else
            return std::nullopt;
    }
    if (i < text.size())
        exponent += std::atoi(text.c_str() + i + 1);
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return mpq_class(0);
    digits.erase(0, first);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    if (digits.size() > 12 || std::abs(exponent) > 40)
        return std::nullopt;
    mpq_class q(mpz_class(digits, 10));
    if (exponent > 0)
        q *= PowerOfTen(exponent);
    else if (exponent < 0)
        q /= PowerOfTen(-exponent);
    q.canonicalize();
    return negative ? mpq_class(-q) : q;
}

std::optional<std::vector<mpq_class>> ShortDecimals(const std::vector<double> &values)
{
    std::vector<mpq_class> out;
    out.reserve(values.size());
    for (double v : values) {
        std::optional<mpq_class> q = ShortDecimal(v);
        if (!q)
            return std::nullopt;
        out.push_back(std::move(*q));
    }
    return out;
}

std::optional<std::vector<mpq_class>> ExactDoubles(const std::vector<double> &values)
{
    std::vector<mpq_class> out;
    out.reserve(values.size());
    for (double v : values) {
        if (!std::isfinite(v))
            return std::nullopt;
        out.emplace_back(v);  // exact: a double is a dyadic fraction
    }
    return out;
}

std::optional<SExactElimination> ExactEliminate(const std::vector<mpq_class> &values, int rows, int cols,
                                                int pivotCols)
{
    if (rows < 0 || cols < 0 || pivotCols > cols || values.size() != static_cast<std::size_t>(rows) * cols)
        return std::nullopt;
    // Each row times the common multiple of its denominators: whole numbers,
    // and the same solutions.
    std::vector<mpz_class> a(values.size());
    std::size_t widest = 0;
    for (int r = 0; r < rows; ++r) {
        mpz_class multiple = 1;
        for (int c = 0; c < cols; ++c)
            mpz_lcm(multiple.get_mpz_t(), multiple.get_mpz_t(), values[r * cols + c].get_den_mpz_t());
        for (int c = 0; c < cols; ++c) {
            const mpq_class &q = values[r * cols + c];
            mpz_class &z = a[r * cols + c];
            z = multiple / q.get_den() * q.get_num();
            widest = std::max(widest, mpz_sizeinbase(z.get_mpz_t(), 2));
        }
    }
    if (static_cast<std::size_t>(std::max(rows, 1)) * (widest + 8) > kBitBudget)
        return std::nullopt;
    const auto at = [&a, cols](int r, int c) -> mpz_class & { return a[static_cast<std::size_t>(r) * cols + c]; };
    SExactElimination out;
    mpz_class previous = 1, p, q;
    int row = 0;
    for (int col = 0; col < pivotCols && row < rows; ++col) {
        int pivot = row;
        while (pivot < rows && at(pivot, col) == 0)
            ++pivot;
        if (pivot == rows)
            continue;
        if (pivot != row)
            for (int c = 0; c < cols; ++c)
                mpz_swap(at(pivot, c).get_mpz_t(), at(row, c).get_mpz_t());
        for (int r = 0; r < rows; ++r) {
            if (r == row)
                continue;
            for (int c = 0; c < cols; ++c) {
                if (c == col)
                    continue;
                p = at(row, col) * at(r, c);
                q = at(r, col) * at(row, c);
                p -= q;
                mpz_divexact(at(r, c).get_mpz_t(), p.get_mpz_t(), previous.get_mpz_t());
            }
            at(r, col) = 0;
        }
        previous = at(row, col);
        ++row;
    }
    out.rank = row;
    for (int r = row; r < rows && out.consistent; ++r)
        for (int c = pivotCols; c < cols; ++c)
            if (at(r, c) != 0)
                out.consistent = false;
    out.reduced.resize(a.size());
    for (int r = 0; r < rows; ++r) {
        // Pivot rows carry the last pivot on their diagonal; divided out, the block is the identity.
        const mpz_class &scale = r < row ? previous : mpz_class(1);
        for (int c = 0; c < cols; ++c) {
            mpq_class &v = out.reduced[static_cast<std::size_t>(r) * cols + c];
            v = mpq_class(at(r, c), scale);
            v.canonicalize();
        }
    }
    return out;
}

std::optional<mpq_class> ExactDeterminant(const std::vector<mpq_class> &values, int n)
{
    if (n < 0 || values.size() != static_cast<std::size_t>(n) * n)
        return std::nullopt;
    if (n == 0)
        return mpq_class(1);
    // The same elimination, kept as whole numbers: the last pivot is the
    // determinant of the row-scaled matrix, up to the sign of the exchanges.
    std::vector<mpz_class> a(values.size());
    mpz_class scales = 1;
    std::size_t widest = 0;
    for (int r = 0; r < n; ++r) {
        mpz_class multiple = 1;
        for (int c = 0; c < n; ++c)
            mpz_lcm(multiple.get_mpz_t(), multiple.get_mpz_t(), values[r * n + c].get_den_mpz_t());
        scales *= multiple;
        for (int c = 0; c < n; ++c) {
            const mpq_class &q = values[r * n + c];
            a[r * n + c] = multiple / q.get_den() * q.get_num();
            widest = std::max(widest, mpz_sizeinbase(a[r * n + c].get_mpz_t(), 2));
        }
    }
    if (static_cast<std::size_t>(n) * (widest + 8) > kBitBudget)
        return std::nullopt;
    const auto at = [&a, n](int r, int c) -> mpz_class & { return a[static_cast<std::size_t>(r) * n + c]; };
    mpz_class previous = 1, p, q;
    bool negate = false;
    for (int k = 0; k < n; ++k) {
        int pivot = k;
        while (pivot < n && at(pivot, k) == 0)
            ++pivot;
        if (pivot == n)
            return mpq_class(0);
        if (pivot != k) {
            for (int c = k; c < n; ++c)
                mpz_swap(at(pivot, c).get_mpz_t(), at(k, c).get_mpz_t());
            negate = !negate;
        }
        for (int r = k + 1; r < n; ++r)
            for (int c = k + 1; c < n; ++c) {
                p = at(k, k) * at(r, c);
                q = at(r, k) * at(k, c);
                p -= q;
                mpz_divexact(at(r, c).get_mpz_t(), p.get_mpz_t(), previous.get_mpz_t());
            }
        previous = at(k, k);
    }
    mpq_class det(negate ? mpz_class(-previous) : previous, scales);
    det.canonicalize();
    return det;
}

std::string RationalText(const mpq_class &value) { return value.get_str(10); }

double NearestDouble(const mpq_class &value)
{
    const double truncated = value.get_d();
    if (!std::isfinite(truncated) || value == 0)
        return truncated;
    // Truncation lands on the neighbour nearer zero; the other neighbour may be nearer.
    const double away = std::nextafter(truncated, truncated < 0 ? -HUGE_VAL : HUGE_VAL);
    if (!std::isfinite(away))
        return truncated;
    const mpq_class low = abs(value - mpq_class(truncated));
    const mpq_class high = abs(value - mpq_class(away));
    return high < low ? away : truncated;
}
