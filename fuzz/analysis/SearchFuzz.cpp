// Runs the analysis searches and the integration (with its pole watch) on
// arbitrary functions and domains. Whatever comes in, nothing may crash,
// read out of range or hang; every point listed lies in the domain searched,
// and an error estimate is a finite, non-negative number. The work is
// bounded (short texts, a domain of at most 16 units), so a run over its time
// limit is a fault.
#include <ctime>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/analysis/AnalysisRun.h"
#include "core/analysis/Integration.h"
#include "core/expr/Expression.h"

namespace {

constexpr std::size_t kMaxText = 48;
// Processor time, so a loaded machine does not turn a slow search into a
// hang; instrumented searches of long second derivatives take a few seconds.
constexpr double kTimeLimit = 20.0;

double Seconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

bool Usable(const std::string &text)
{
    if (text.empty() || text.size() > kMaxText)
        return false;
    CExpression f;
    f.SetExpression(text);
    return CheckSyntax(f.m_strCoded) == 0 && f.IsWellFormed();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    SAnalysisRequest request;
    const bool integral = data[0] % 5 == 4;
    request.kind = static_cast<EAnalysisKind>(data[0] % 5 % 4);
    request.places = kMinPlaces + data[1] % (kMaxPlaces - kMinPlaces + 1);
    request.from = (static_cast<int>(data[2]) - 128) / 8.0;  // -16 .. 15.875
    request.to = request.from + 1.0 + data[3] % 16;
    const std::string rest(reinterpret_cast<const char *>(data + 4), size - 4);
    const std::size_t split = rest.find('\n');
    request.function = rest.substr(0, split);
    request.function2 = split == std::string::npos ? "x" : rest.substr(split + 1);
    if (!Usable(request.function) || !Usable(request.function2))
        return 0;
    // Parameter letters take values from the header bytes, the extremes included.
    for (const char *p = kParameterLetters; *p; ++p) {
        const std::uint8_t b = data[static_cast<std::size_t>(*p - 'a') % 4];
        request.parameters.Set(*p, b == 0 ? 1e-300 : b == 255 ? -1e300 : (static_cast<int>(b) - 128) / 16.0);
    }
    const EAnalysisCheck check = CheckAnalysis(request);
    if (check == EAnalysisCheck::DomainOrder || check == EAnalysisCheck::TooFar || DerivativeTooLong(request) ||
        IntersectionRefusal(request) != EIntersectionRefusal::None)
        return 0;

    const double start = Seconds();
    const auto inTime = [start](double) {
        if (Seconds() - start > kTimeLimit)
            std::abort();  // over its limit: a hang
        return true;
    };
    if (integral) {
        CExpression f;
        f.SetExpression(request.function);
        f.SetParameters(request.parameters);
        const double step = 0.001 * (1 + data[1] % 50);
        const SIntegral result =
            Integrate(f, request.from, request.to, step, static_cast<EIntegrationRule>(data[1] % 3), inTime);
        if (result.cancelled || (result.errorEstimate && !(*result.errorEstimate >= 0 &&
                                                           std::isfinite(*result.errorEstimate))))
            std::abort();
        return 0;
    }
    const std::optional<SAnalysisResult> result = RunAnalysis(request, inTime);
    if (!result)
        std::abort();  // nothing cancelled it
    if (Seconds() - start > kTimeLimit)
        std::abort();
    const double slack = 1e-9 * (1 + std::fabs(request.from) + std::fabs(request.to));
    for (const SAnalysisPoint &point : result->points)
        if (!(point.x >= request.from - slack && point.x <= request.to + slack))
            std::abort();
    return 0;
}
