#pragma once

#include <functional>

// Long searches and sums call this now and then with the share of the work
// done (0..1). Returning false cancels: the engine stops at once and reports
// that it was cancelled, leaving its caller's results as they were.
using ProgressCallback = std::function<bool(double fraction)>;

// Calls the callback every so many steps, so the per-step cost is one
// decrement. An empty callback never cancels.
class CProgressTicker
{
public:
    CProgressTicker(const ProgressCallback &callback, double totalSteps, long interval = 1 << 16)
        : m_callback(callback), m_total(totalSteps > 0 ? totalSteps : 1), m_interval(interval), m_left(interval)
    {
    }

    // False once the user cancelled.
    bool Step(double done, long steps = 1)
    {
        m_left -= steps;
        if (m_left > 0)
            return true;
        m_left = m_interval;
        return !m_callback || m_callback(done / m_total);
    }

private:
    const ProgressCallback &m_callback;
    double m_total;
    long m_interval;
    long m_left;
};
