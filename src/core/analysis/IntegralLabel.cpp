#include "core/analysis/IntegralLabel.h"

#include "core/expr/ShownNumber.h"

const char *IntegrationRuleText(EIntegrationRule rule)
{
    switch (rule) {
    case EIntegrationRule::MidPoint: return "mid-point rule";
    case EIntegrationRule::Trapezoid: return "trapezoid rule";
    case EIntegrationRule::Simpson: return "Simpson's rule";
    }
    return "";
}

std::string IntegralLabel(double from, double to, double value, EIntegrationRule rule, double step)
{
    // + 0.0 keeps a negative zero limit from reading "-0".
    return "Integral from " + ShownExact(from + 0.0) + " to " + ShownExact(to + 0.0) + " = " +
           IntegralText(value) + " (" + IntegrationRuleText(rule) + ", step " + ShownExact(step) + ")";
}

std::string IntegralLabel(double from, double to, const SIntegral &integral, EIntegrationRule rule, double step)
{
    std::string label = "Integral from " + ShownExact(from + 0.0) + " to " + ShownExact(to + 0.0) + " = " +
                        IntegralText(integral) + " " + ErrorEstimateText(integral) + " (" +
                        IntegrationRuleText(rule) + ", step " + ShownExact(step) + ")";
    const std::string notes = IntegralNotes(integral);
    return notes.empty() ? label : label + "\n" + notes;
}
