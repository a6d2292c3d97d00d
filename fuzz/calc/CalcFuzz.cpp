// Evaluates arbitrary text in every base and angle mode, with and without
// substitution, and runs the window's text conversions on what comes out.
// The first byte picks the base and the mode, the rest is the text.
#include "core/calc/BaseNumber.h"
#include "core/calc/CalcEvaluator.h"
#include "core/calc/CalcText.h"
#include "core/expr/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    const std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
    // -1 (decimal), 2..36, and a few bases the window refuses.
    const int nChoice = control % 40;
    const int nBase = nChoice == 0 ? -1 : nChoice <= 35 ? nChoice + 1 : nChoice - 36 - 1;
    const bool bRadian = control & 0x40;
    const bool bSubstitute = control & 0x80;

    CCalcEvaluator e(text);
    e.SetRadian(bRadian);
    e.SetBase(nBase);
    const double xs[] = {-3.0, 1e-7, 2.5e300, NAN};
    const double v = e.Evaluate(bSubstitute, xs[text.size() % 4]);

    const std::string strShown = FormatResult(v);
    (void)StoreText(strShown, IsIntegral(v));
    (void)CopyText(strShown);
    (void)ConvertDms(ConvertDms(strShown));
    (void)RecallText(text);
    (void)ReadNumberText(text);

    CBaseNumber number;
    if (number.FromDecimal(v, nBase)) {
        if (!CBaseNumber::IsValidBase(nBase) || !std::isfinite(v))
            std::abort();
        // Whole numbers of a double's precision read back exactly.
        if (std::fabs(v) < 9007199254740992.0 && IsIntegral(v)) {
            number.m_strInput = number.m_strOutput;
            if (number.ToDecimal(nBase) != v)
                std::abort();
        }
    }
    number.m_strInput = text;
    (void)number.ToDecimal(nBase);
    return 0;
}
