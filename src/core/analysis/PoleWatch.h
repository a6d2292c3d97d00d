#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

class CExpression;

// Watches the samples of an integral for a pole of the integrand: there
// the integral does not exist, however the sums come out. Samples come in
// increasing x. A sign change where |f| grows towards it
// from both sides, or a sharp peak of |f|, is followed down to the spacing
// of doubles: a pole keeps growing there, a steep but finite function does
// not. An end of the interval is approached in steps of a thousandth.
class CPoleWatch
{
public:
    // budget: evaluations the closer looks may spend in all.
    CPoleWatch(CExpression &f, std::int64_t budget);

    void Add(double x, double y);
    void AddMany(const double *x, const double *y, std::size_t n);
    // The last samples are judged once no more come.
    void Finish();
    // Whether |f| grows without bound towards end, looked at from end + inward.
    void CheckEnd(double end, double inward);

    const std::optional<double> &Pole() const { return m_pole; }
    // The first finite peak whose top lies far above the samples near it:
    // the samples are too far apart to show its area.
    const std::optional<double> &UnresolvedPeak() const { return m_unresolved; }

private:
    void CheckPair(std::int64_t i);
    void CheckPeak(std::int64_t i);
    double Value(double x);
    double X(std::int64_t i) const { return m_x[static_cast<std::size_t>(i & 3)]; }
    double Y(std::int64_t i) const { return m_y[static_cast<std::size_t>(i & 3)]; }

    CExpression &m_f;
    std::int64_t m_nBudget;
    std::array<double, 4> m_x{};
    std::array<double, 4> m_y{};
    std::int64_t m_nSamples = 0;
    std::optional<double> m_pole;
    std::optional<double> m_unresolved;
};
