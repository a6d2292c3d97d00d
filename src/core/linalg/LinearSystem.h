#pragma once

#include <string>
#include <vector>

// A system of n linear equations in n unknowns, solved by elimination with
// partial pivoting (on rows scaled to a largest element near 1), or exactly
// in rationals when every number is whole or a short decimal and the system
// is not too large. A system without a single solution is told apart: a first
// variable that appears in no equation, equations that leave a variable free
// or contradict each other (decided exactly, so only for exact input), or a
// system so ill-conditioned that double precision cannot solve it.
class CLinearSystem
{
public:
    enum class EOutcome { Solved, FirstColumnZero, InfinitelyMany, NoSolution, TooIllConditioned, OutOfRange, Malformed };
    // From this condition estimate on a solution is given with a warning.
    static constexpr double kWarnCondition = 1e6;

    // augmented: n rows of n + 1 numbers (the coefficients, then the free
    // term), one row after the other. The values are copied.
    CLinearSystem(int n, std::vector<double> augmented);
    virtual ~CLinearSystem() = default;

    // True when solved; otherwise Outcome() says why and no solution is kept.
    bool Solve();
    const std::vector<double> &Solution() const { return m_aSolution; }
    int Size() const { return m_n; }
    EOutcome Outcome() const { return m_eOutcome; }
    // The rank of the coefficients, for the singular outcomes.
    int Rank() const { return m_nRank; }
    // Estimated condition number (infinite when exactly singular).
    double Condition() const { return m_dCondition; }
    // Solved in rationals: the solution is exact, each value in ExactTexts()
    // ("7/3", "-2"), and the doubles are the nearest to it.
    bool IsExact() const { return m_bExact; }
    const std::vector<std::string> &ExactTexts() const { return m_aExactTexts; }
    // Whether variable i (from 0) is shown exactly by ten significant digits
    // (2.3 is, 7/3 is not).
    bool TenDigitsExact(int i) const { return m_aTenDigitsExact.at(static_cast<std::size_t>(i)) != 0; }
    // Significant digits of the solution that hold (15 when exact).
    int Digits() const { return m_nDigits; }

private:
    int m_n = 0;
    std::vector<double> m_aAugmented;
    std::vector<double> m_aSolution;
    EOutcome m_eOutcome = EOutcome::Malformed;
    int m_nRank = 0;
    double m_dCondition = 0.0;
    bool m_bExact = false;
    std::vector<std::string> m_aExactTexts;
    std::vector<char> m_aTenDigitsExact;
    int m_nDigits = 0;

    bool SolveExactly();
};
