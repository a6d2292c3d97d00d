// Compiles arbitrary text and runs it over sets: the point value at any x of
// a set lies in the set's enclosure (or is undefined or a pole it flags), and
// a small picture of it is sampled in bounded work with sane spans.
#include "core/expr/Angle.h"
#include "core/expr/Expression.h"
#include "core/plot/ColumnSampler.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    CExpression f;
    f.SetExpression(text);
    // Parameters are points of the value picked here.
    for (char letter : f.UsedParameters())
        f.SetParameter(letter, (static_cast<unsigned char>(letter) + size) % 5 - 2.25);
    const double k = size % 2 == 1 ? kRadiansPerDegree : 1.0;
    const double sets[][2] = {{-2.5, 3.0}, {-1e-3, 1e-3}, {0.0, 0.5}, {1.0, 1.0}, {-7.0, -6.0}, {1e300, 1e301}};
    for (const auto &s : sets) {
        const SInterval r = f.Range(s[0], s[1], k);
        if (!r.IsEmpty() && !(r.lo <= r.hi))
            std::abort();
        for (double x : {s[0], s[1], s[0] / 2 + s[1] / 2}) {
            const double v = f.ValueAt(x, k);
            if (std::isnan(v)) {
                if (!(r.IsEmpty() || r.flags != 0 || !r.Bounded()))
                    std::abort();
                continue;
            }
            if (r.IsEmpty() || !(r.Contains(v) || (std::isinf(v) && (r.flags & SInterval::kPole))))
                std::abort();
        }
    }
    CColumnSampler sampler;
    f.m_bDegree = k != 1.0;
    sampler.SampleView(f, 64, 48, 0.02f, HUGE_VAL, SPlotMapping{1, 1, 32, 24, 0, 0});
    if (sampler.m_nRanges > 4096 + 65 * sampler.Columns().size() + CColumnSampler::kMaxDepth)
        std::abort();
    for (const CColumnSampler::SColumnSpan &s : sampler.Spans())
        if (!(s.top <= s.bottom) || s.top < -1 || s.bottom > 49)
            std::abort();
    return 0;
}
