#pragma once

#include "core/analysis/Progress.h"
#include "core/analysis/RootFinder.h"

#include <array>
#include <cstdint>
#include <string>

// Inflection points of f: roots of f'' and of 1/f'' where f'' changes sign
// between one scan step to the left and one to the right. Only type 0 is
// listed.
class CInflexFinder
{
public:
    static constexpr int kMaxPoints = 2 * CRootFinder::kMaxCandidates;
    enum EType : std::uint8_t {
        Inflection = 0,
        NoSignChange = 1,
        Undefined = 2,  // f undefined or infinite there
        Rejected = 3,   // not an accepted root, f'' undefined beside it, or on a pole of f
        Repeated = 4,   // within half a step of a listed point
    };

    CInflexFinder();
    virtual ~CInflexFinder();

    // False when the progress callback cancelled the search.
    bool SearchDomain(const std::string &function, double from, double to, double tolerance,
                      const ProgressCallback &progress = {});
    bool SearchNear(const std::string &function, double point, double tolerance,
                    const ProgressCallback &progress = {});

    void Classify();
    // "x y" in two columns for a listed point, else empty.
    std::string FormatLine(int i);

    bool IsListed(int i) const { return m_nType[i] == Inflection; }
    bool IsTruncated() const { return m_bTruncated; }

    std::string m_strFunction;
    std::string m_strDerivative;  // f''
    std::string m_strReciprocal;
    std::int32_t m_nIndex = 0;
    double m_dLeft = 0.0;
    double m_dRight = 0.0;
    double m_dValue = 0.0;
    CRootFinder m_rootsOfDerivative;
    std::array<double, kMaxPoints> m_dX{};
    std::array<std::uint8_t, kMaxPoints> m_nType{};
    CRootFinder m_poles;
    std::int32_t m_nCount = 0;
    bool m_bTruncated = false;

private:
    bool Search(const std::string &function, bool near, double from, double to, double tolerance,
                const ProgressCallback &progress);
};
