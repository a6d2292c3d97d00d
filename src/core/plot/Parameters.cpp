#include "core/plot/Parameters.h"

#include "core/expr/CodedText.h"
#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"

#include <algorithm>
#include <cmath>

bool SParameter::IsValid() const
{
    return std::isfinite(value) && std::isfinite(min) && std::isfinite(max) && std::isfinite(step) && min < max &&
           std::isfinite(max - min) && step > 0 && step <= max - min && value >= min && value <= max;
}

SParameterValues SParameterTable::Values() const
{
    SParameterValues values;
    for (const char *p = kParameterLetters; *p; ++p)
        values.Set(*p, Of(*p).value);
    return values;
}

std::string SParameterTable::SetLetters() const
{
    std::string letters;
    for (const char *p = kParameterLetters; *p; ++p)
        if (!(Of(*p) == SParameter{}))
            letters += *p;
    return letters;
}

std::string ParameterText(char letter, double value)
{
    return std::string(1, letter) + " = " + ShownField(value);
}

double SnapToStep(const SParameter &p, double v)
{
    if (!std::isfinite(v))
        return p.value;
    const double steps = std::round((v - p.min) / p.step);
    double snapped = std::clamp(p.min + steps * p.step, p.min, p.max);
    // 15 significant digits: 0.1 * 23 is 2.3, not 2.3000000000000003.
    snapped = ReadWholeNumber(ShownField(snapped)).value_or(snapped);
    return std::clamp(snapped, p.min, p.max);
}
