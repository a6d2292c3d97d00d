#pragma once

#include "core/analysis/Progress.h"
#include "core/analysis/RootFinder.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// What the extrema and inflection searches share: the poles of f, then the
// roots of a derivative and of its reciprocal (where the derivative changes
// sign through a pole), each run classified into one table of points.
class CPointFinder
{
public:
    static constexpr int kMaxPoints = 2 * CRootFinder::kMaxCandidates;

    virtual ~CPointFinder();

    // False when cancelled.
    bool SearchDomain(const std::string &function, double from, double to, double tolerance,
                      const ProgressCallback &progress = {});
    bool SearchNear(const std::string &function, double point, double tolerance,
                    const ProgressCallback &progress = {});


    bool IsListed(int i) const { return IsListedType(m_nType[i]); }
    bool IsListedType(std::uint8_t type) const { return type == m_types.falling || type == m_types.rising; }
    bool IsTruncated() const { return m_bTruncated; }

    // Set before a search: the values of the parameter letters, for f and
    // its derivatives alike.
    SParameterValues m_parameters;
    std::string m_strFunction;
    std::string m_strDerivative;
    std::string m_strReciprocal;
    std::int32_t m_nIndex = 0;
    double m_dLeft = 0.0;   // the derivative just left and right of the point
    double m_dRight = 0.0;
    double m_dValue = 0.0;  // f at the point
    CRootFinder m_rootsOfDerivative;
    CRootFinder m_rootsOfReciprocal;
    std::array<double, kMaxPoints> m_dX{};
    std::array<double, kMaxPoints> m_dSpread{};  // how far the true point may lie from m_dX
    int m_nPlaces = 6;                           // the decimal places the tolerance stands for
    CRootFinder m_poles;
    std::array<std::uint8_t, kMaxPoints> m_nType{};
    std::int32_t m_nCount = 0;
    bool m_bTruncated = false;

protected:
    // The finder's type for each case a root of the derivative falls in.
    struct STypes
    {
        std::uint8_t notAccepted;    // not an accepted root
        std::uint8_t undefined;      // f undefined or infinite there
        std::uint8_t sideUndefined;  // the derivative undefined beside it
        std::uint8_t falling;        // the derivative goes from + to -
        std::uint8_t rising;         // from - to +
        std::uint8_t flat;           // no change of sign
        std::uint8_t onPole;         // a falling or rising point on a pole of f
        std::uint8_t repeated;       // one point with a listed point of the same type
    };

    // order: which derivative; sideReach: at most how far left and right its
    // sign is read (nearer when other points are near).
    CPointFinder(int order, double sideReach, const STypes &types);

private:
    // Types the roots of one run into the table after the points before.
    void Classify(const CRootFinder &roots);
    // How far from x the sign of the derivative is read: half the way to
    // the nearest other point found (roots of the derivative and of its
    // reciprocal, poles of f), at most the side reach.
    double SideDistance(double x, double same) const;
    std::uint8_t TypeAt(bool acceptedRoot, double x, double spread) const;
    // A pole of f that cannot be told apart from x, known to spread.
    bool IsNearPole(double x, double spread) const;
    bool Search(const std::string &function, bool near, double from, double to, double tolerance,
                const ProgressCallback &progress);

    int m_nOrder;
    double m_dSideReach;
    STypes m_types;
};

// The text of the order-th derivative, as the differentiate command makes it;
// nothing when it is too long to be worked out.
std::optional<std::string> DerivativeText(const std::string &function, int order);
