#pragma once

#include "core/analysis/Progress.h"
#include "core/analysis/RootFinder.h"

#include <array>
#include <cstdint>
#include <string>

// Local minima and maxima of f: roots of f' and of 1/f' (cusps), each
// classified by the sign of f' half a scan step to either side. Points on a
// pole of f, where f or f' is undefined, or where f' keeps its sign are kept
// with a type that is not listed.
class CExtremaFinder
{
public:
    static constexpr int kMaxPoints = 2 * CRootFinder::kMaxCandidates;
    enum EType : std::uint8_t {
        Minimum = 0,
        Maximum = 1,
        Stationary = 2,  // f' does not change sign
        Undefined = 3,   // f undefined or infinite there, or on a pole of f
        Rejected = 4,    // not an accepted root, or f' undefined beside it
        Repeated = 5,    // within half a step of a listed point of the same type
    };

    CExtremaFinder();
    virtual ~CExtremaFinder();

    // False when the progress callback cancelled the search.
    bool SearchDomain(const std::string &function, double from, double to, double tolerance,
                      const ProgressCallback &progress = {});
    bool SearchNear(const std::string &function, double point, double tolerance,
                    const ProgressCallback &progress = {});

    // Appends the candidates of the last run of m_rootsOfDerivative.
    void Classify();
    // Line k (1 to 4) of point i.
    std::string FormatLine(int i, int k);

    bool IsListed(int i) const { return m_nType[i] == Minimum || m_nType[i] == Maximum; }
    // A run stopped at a full candidate table: points may be missing.
    bool IsTruncated() const { return m_bTruncated; }

    std::string m_strFunction;
    std::string m_strDerivative;
    std::string m_strReciprocal;
    std::int32_t m_nIndex = 0;
    double m_dLeft = 0.0;
    double m_dRight = 0.0;
    double m_dValue = 0.0;
    CRootFinder m_rootsOfDerivative;
    std::array<double, kMaxPoints> m_dX{};
    CRootFinder m_poles;
    std::array<std::uint8_t, kMaxPoints> m_nType{};
    std::int32_t m_nCount = 0;
    bool m_bTruncated = false;

private:
    bool Search(const std::string &function, bool near, double from, double to, double tolerance,
                const ProgressCallback &progress);
};
