#pragma once

#include "core/analysis/Progress.h"
#include "core/analysis/RootFinder.h"

#include <array>
#include <cstdint>
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

    // Types the roots of the last run into the table after the points before.
    void Classify();

    bool IsListed(int i) const { return IsListedType(m_nType[i]); }
    bool IsTruncated() const { return m_bTruncated; }

    std::string m_strFunction;
    std::string m_strDerivative;
    std::string m_strReciprocal;
    std::int32_t m_nIndex = 0;
    double m_dLeft = 0.0;   // the derivative just left and right of the point
    double m_dRight = 0.0;
    double m_dValue = 0.0;  // f at the point
    CRootFinder m_rootsOfDerivative;
    std::array<double, kMaxPoints> m_dX{};
    CRootFinder m_poles;
    std::array<std::uint8_t, kMaxPoints> m_nType{};
    std::int32_t m_nCount = 0;
    bool m_bTruncated = false;

protected:
    // order: which derivative; sideSteps: how many scan steps left and right
    // its sign is read; repeated: the type of a point already listed.
    CPointFinder(int order, double sideSteps, std::uint8_t repeated);

    // The type of the point m_dX[m_nIndex] from m_dValue, m_dLeft, m_dRight.
    virtual std::uint8_t TypeAt(bool acceptedRoot, double x) const = 0;
    virtual bool IsListedType(std::uint8_t type) const = 0;

    bool IsNearPole(double x) const;

private:
    bool Search(const std::string &function, bool near, double from, double to, double tolerance,
                const ProgressCallback &progress);

    int m_nOrder;
    double m_dSideSteps;
    std::uint8_t m_nRepeated;
};

// The text of the order-th derivative, as the differentiate command makes it.
std::string DerivativeText(const std::string &function, int order);
