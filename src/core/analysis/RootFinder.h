#pragma once

#include "core/analysis/Progress.h"
#include "core/expr/Program.h"

#include <array>
#include <cstdint>
#include <string>

class CExpression;

// Real roots of one function of x inside an interval. A scan with a fixed
// step proposes at most 300 candidates: each change of sign between two scan
// points, each scan point where f is exactly zero (with a look just beside it
// for a second root before the next scan point), and each dip of |f| between
// scan points, searched for the change of sign inside it. Refinement bisects
// each change of sign down to neighbouring doubles. A root is a change of
// sign or a zero, never merely a small value: a dip that stays off zero is a
// root only where its least |f| is within the rounding noise of f there.
// Every root comes with its spread, how far the true root may lie from it:
// the band around it where |f| is lost in that noise.
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

    // Points of the extrema and inflection searches closer than this are
    // one point at the tolerance t.
    static double SameDistance(double tolerance);

    // The scan stopped before the end because the candidate table was full.
    bool IsFull() const { return m_bFull; }

    // Set before a search: a change of sign through a jump or an undefined
    // point is a root too (where a derivative changes sign at a cusp).
    bool m_bAcrossBreaks = false;
    // Set before a search: the values of the parameter letters.
    SParameterValues m_parameters;

    double m_dStart = 0.0;
    double m_dEnd = 0.0;
    double m_dTolerance = 0.0;
    std::string m_strExpression;
    std::int32_t m_nCount = 0;
    std::array<std::uint8_t, kMaxCandidates> m_bValid{};
    std::array<double, kMaxCandidates> m_dRoots{};
    std::array<double, kMaxCandidates> m_dCandidates{};
    double m_dStep = kDomainStep;
    // How far the true root may lie from m_dRoots[i], where m_bValid[i].
    std::array<double, kMaxCandidates> m_dSpread{};

private:
    enum EKind : std::uint8_t { Bracket, Zero, Dip };

    bool Search(std::string expression, double from, double to, double tolerance, double step,
                const ProgressCallback &progress);
    // Adds a candidate; false once the table is full.
    bool Add(EKind kind, double a, double b);
    // Looks at the scan point x1 between x0 and x2 and at the step to x2;
    // false once the table is full.
    bool Look(CExpression &f, double x0, double v0, double x1, double v1, double x2, double v2);
    bool AddDip(CExpression &f, double x0, double v0, double x1, double v1, double x2, double v2);
    // Candidate i refined: its root, or false where it is none.
    bool RefineOne(CExpression &f, int i, double &root);
    void DropRepeats();

    std::array<EKind, kMaxCandidates> m_nKind{};
    std::array<double, kMaxCandidates> m_dOther{};  // the right end of a bracket or dip
    bool m_bFull = false;
    bool m_bBreak = false;       // the last root refined lies across a jump or a pole
    double m_dBreakWidth = 0.0;  // and the bracket it was narrowed to
};

// The decimals of a root with this spread that are known, at most places.
int KnownDecimals(double spread, int places);

// The decimal places a tolerance of 10^-places stands for.
int PlacesOf(double tolerance);

// How far the true value of f at a point known to spread may lie from
// f(x): the change of f across the spread, the rounding noise of f at x,
// and never less than the spacing of doubles at f(x).
double ValueSpread(CExpression &f, double x, double spread);

// A value y known to spread, in the exponent form with as many digits as
// are known, at most max(7, places) after the point.
std::string ValueExp(double y, double spread, int places);
