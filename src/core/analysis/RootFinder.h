#pragma once

#include "core/analysis/Progress.h"

#include <array>
#include <cstdint>
#include <string>

class CExpression;

// Real roots of one function of x inside an interval: a scan with a fixed
// step proposes at most 300 candidates, then Newton steps with a forward
// difference refine each one, keep it when |f| is below the tolerance inside
// the interval, and drop the points that cannot be told apart from another
// at that tolerance. Where f dips through zero between two scan points the
// scan brackets both roots itself; an accepted root next to a change of sign
// is bisected onto it, so the digits shown are right for flat roots too.
class CRootFinder
{
public:
    static constexpr int kMaxCandidates = 300;
    static constexpr double kDomainStep = 0.1;
    static constexpr double kNearStep = 0.0001;
    // A domain is scanned in at least this many steps, but never finer than
    // the finest step the six-decimal scan points can hold.
    static constexpr double kDomainPoints = 20000.0;
    static constexpr double kFinestStep = 0.00001;

    CRootFinder();
    virtual ~CRootFinder();

    // Both return false when the progress callback cancelled the search.
    bool SearchDomain(std::string expression, double from, double to, double tolerance,
                      const ProgressCallback &progress = {});
    bool SearchNear(std::string expression, double point, double tolerance,
                    const ProgressCallback &progress = {});

    bool Scan(const ProgressCallback &progress = {});
    void Refine();

    // True when a scan over [from, to] with this step moves x forward at
    // every step. Far from zero, adding a small step no longer changes a
    // double, and such a scan would never end.
    static bool StepAdvances(double from, double to, double step);

    // The scan step of a search over [from, to]: the finer of kDomainStep
    // and (to - from) / kDomainPoints, kDomainStep where a finer step would
    // no longer move x.
    static double DomainStep(double from, double to);

    // Accepted points closer than this are one point at the tolerance t: a
    // multiple root is located only to about the square root of t.
    static double SameDistance(double tolerance);

    // The scan stopped because the candidate table was full.
    bool IsFull() const { return m_nCount >= kMaxCandidates - 1; }

    double m_dStart = 0.0;
    double m_dEnd = 0.0;
    double m_dTolerance = 0.0;
    std::string m_strExpression;
    std::int32_t m_nCount = 0;
    std::array<std::uint8_t, kMaxCandidates> m_bValid{};
    std::array<double, kMaxCandidates> m_dRoots{};
    std::array<double, kMaxCandidates> m_dCandidates{};
    double m_dStep = kDomainStep;

private:
    bool Search(std::string expression, double from, double to, double tolerance, double step,
                const ProgressCallback &progress);
    void DropRepeats(CExpression &f);
    // The two roots where f dips through zero between x0 and the scan point
    // x2, around the scan point x1 (size0 = |f| one scan point back, v1 and
    // v2 the values at x1 and x2); false once the table is full.
    bool AddDipRoots(CExpression &f, double x0, double x1, double x2, double size0, double v1, double v2);
    // Moves an accepted root r (f(r) = fr) onto the change of sign of f next
    // to it, when there is one within the band where |f| stays below the
    // tolerance; true when r is then pinned on that change.
    bool Pin(CExpression &f, double &r, double fr) const;

    std::array<std::uint8_t, kMaxCandidates> m_bPinned{};
};
