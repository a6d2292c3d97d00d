#pragma once

#include <vector>

// A system of n linear equations in n unknowns, solved by elimination with
// partial pivoting (on rows scaled to a largest element near 1). A system
// without a single solution is told apart: a first variable that appears in
// no equation, equations that leave a variable free, equations that
// contradict each other, or a system so ill-conditioned that no digit of a
// solution would hold.
class CLinearSystem
{
public:
    enum class EOutcome { Solved, FirstColumnZero, InfinitelyMany, NoSolution, TooIllConditioned, OutOfRange, Malformed };
    // Above this condition estimate a solution is given with a warning.
    static constexpr double kWarnCondition = 1e8;

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

private:
    int m_n = 0;
    std::vector<double> m_aAugmented;
    std::vector<double> m_aSolution;
    EOutcome m_eOutcome = EOutcome::Malformed;
    int m_nRank = 0;
    double m_dCondition = 0.0;
};
