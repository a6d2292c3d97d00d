#include "core/expr/SingleEvaluator.h"

#include "core/expr/Angle.h"
#include "core/expr/IntegerPower.h"
#include "core/expr/Operations.h"
#include "core/expr/Program.h"

#include <cmath>
#include <cstddef>
#include <limits>

namespace {

#define CORVANTA_RUN RunPlain
#include "core/expr/SingleEvaluatorBody.inc"
#undef CORVANTA_RUN

// The same loop with fma as one instruction, for the exact powers; fma is
// exact, so both copies give the same bits.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#pragma GCC push_options
#pragma GCC target("fma")
#define CORVANTA_RUN RunFma
#include "core/expr/SingleEvaluatorBody.inc"
#undef CORVANTA_RUN
#pragma GCC pop_options

const bool kHasFma = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("fma") != 0;
}();
#else
constexpr bool kHasFma = false;
template <bool kCalls>
double RunFma(const CProgram::Instr *p, double *s, double x, double k)
{
    return RunPlain<kCalls>(p, s, x, k);
}
#endif

}  // namespace

double RunProgram(const CProgram &program, double *stack, double x, double k)
{
    if (!program.Calls())
        return RunPlain<false>(program.Code(), stack, x, k);
    return kHasFma ? RunFma<true>(program.Code(), stack, x, k) : RunPlain<true>(program.Code(), stack, x, k);
}
