#pragma once

#include "core/expr/Expression.h"

#include <string>

// The tangent of one function at a point: value, slope from the symbolic
// derivative, angle, the equation text and two points of the line 1000 units
// either side. The equation text is for reading; the line is drawn from the
// exact slope and point, never from the rounded text.
class CTangent
{
public:
    static constexpr const char *kUndefined = "This value of x isn't defined.";

    CTangent() = default;
    virtual ~CTangent() = default;

    // Keeps and compiles the text and its derivative; bDegree shows the angle
    // in degrees. A text equal to the kept one is not compiled again; the
    // parameter values are written into both every time.
    void SetFunction(const std::string &text, bool bDegree, const SParameterValues &parameters = {});
    // Value, slope, angle and validity at x (function and slope in radians).
    void ComputeAt(double x);
    // The equation text and the two points from the last ComputeAt.
    void BuildEquation();

    // Valid, with a slope beyond 9e200: the line is vertical through m_dX.
    bool IsVertical() const;

    std::string m_strSlope;
    std::string m_strFunction;
    double m_dIntercept = 0.0;
    bool m_bDegree = false;
    std::string m_strEquation;
    double m_dY = 0.0;
    double m_dX = 0.0;
    double m_dSlope = 0.0;
    double m_dX1 = 0.0, m_dY1 = 0.0, m_dX2 = 0.0, m_dY2 = 0.0;
    double m_dTheta = 0.0;
    bool m_bValid = false;

private:
    bool m_bCompiled = false;
    bool m_bSlopeTooLong = false;  // no slope: the derivative could not be worked out
    CExpression m_function;
    CExpression m_slope;
};
