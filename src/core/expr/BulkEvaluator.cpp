#include "core/expr/BulkEvaluator.h"

#include "core/expr/Angle.h"
#include "core/expr/IntegerPower.h"
#include "core/expr/Operations.h"
#include "core/expr/Program.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr std::size_t kBatch = 256;

using Op = CProgram::Op;

// In a Qt process the upper halves of the vector registers are often left
// dirty (lazy symbol binding restores them), and every SSE instruction of the
// evaluator then pays an AVX transition penalty: bulk evaluation ran five to
// six times slower. Clearing them once per batch costs nothing.
void ClearUpperVectorState()
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        asm volatile("vzeroupper" ::: "memory");
#endif
}

// A copy with fma as one instruction for the exact powers (fma is exact, so
// both copies give the same bits).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define CORVANTA_FMA_CLONES [[gnu::target_clones("fma", "default")]]
#else
#define CORVANTA_FMA_CLONES
#endif

CORVANTA_FMA_CLONES
void RunBatch(const CProgram::Instr *code, double *rows, double *kept, const double *x, double *y, std::size_t m,
              double k)
{
    std::size_t level = 0;  // rows in use; the top row is level - 1
    double *t = rows;
    double *u = rows;       // the row beneath the top, valid when level >= 2
    for (const CProgram::Instr *p = code;; ++p) {
        const CProgram::Instr &in = *p;
        const double c = in.value;
        switch (in.op) {
        case Op::PushC: t = rows + level++ * kBatch; std::fill(t, t + m, c); break;
        case Op::PushX: t = rows + level++ * kBatch; std::memcpy(t, x, m * sizeof(double)); break;
        case Op::PushP: t = rows + level++ * kBatch; std::fill(t, t + m, c); break;
        case Op::Add: u = t - kBatch; for (std::size_t i = 0; i < m; ++i) u[i] = u[i] + t[i]; t = u; --level; break;
        case Op::Sub: u = t - kBatch; for (std::size_t i = 0; i < m; ++i) u[i] = u[i] - t[i]; t = u; --level; break;
        case Op::Mul: u = t - kBatch; for (std::size_t i = 0; i < m; ++i) u[i] = u[i] * t[i]; t = u; --level; break;
        case Op::Div: u = t - kBatch; for (std::size_t i = 0; i < m; ++i) u[i] = u[i] / t[i]; t = u; --level; break;
        case Op::Pow: u = t - kBatch; for (std::size_t i = 0; i < m; ++i) u[i] = Power(u[i], t[i]); t = u; --level; break;
        case Op::Other: u = t - kBatch; std::fill(u, u + m, 0.0); t = u; --level; break;
        case Op::AddC: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] + c; break;
        case Op::SubC: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] - c; break;
        case Op::MulC: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] * c; break;
        case Op::DivC: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] / c; break;
        case Op::PowC: for (std::size_t i = 0; i < m; ++i) t[i] = Power(t[i], c); break;
        case Op::AddX: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] + x[i]; break;
        case Op::SubX: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] - x[i]; break;
        case Op::MulX: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] * x[i]; break;
        case Op::DivX: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] / x[i]; break;
        case Op::PowX: for (std::size_t i = 0; i < m; ++i) t[i] = Power(t[i], x[i]); break;
        case Op::XAddC: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = x[i] + c; break;
        case Op::XSubC: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = x[i] - c; break;
        case Op::XMulC: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = x[i] * c; break;
        case Op::XDivC: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = x[i] / c; break;
        case Op::XPowC: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = Power(x[i], c); break;
        case Op::CAddX: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = c + x[i]; break;
        case Op::CSubX: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = c - x[i]; break;
        case Op::CMulX: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = c * x[i]; break;
        case Op::CDivX: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = c / x[i]; break;
        case Op::CPowX: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = Power(c, x[i]); break;
        case Op::Sqr: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] * t[i]; break;
        case Op::Cube: for (std::size_t i = 0; i < m; ++i) t[i] = Cube(t[i]); break;
        case Op::Fourth: for (std::size_t i = 0; i < m; ++i) t[i] = Fourth(t[i]); break;
        case Op::XSqr: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = x[i] * x[i]; break;
        case Op::XCube: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = Cube(x[i]); break;
        case Op::XFourth: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = Fourth(x[i]); break;
        case Op::Neg: for (std::size_t i = 0; i < m; ++i) t[i] = -t[i]; break;
        case Op::Fn: in.operation->sweep(t, m, k); break;
        case Op::XSinCos: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) AngleSineAndCosine(x[i], k, t[i], kept[i]); break;
        case Op::XCosSin: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) AngleSineAndCosine(x[i], k, kept[i], t[i]); break;
        case Op::PushKept: t = rows + level++ * kBatch; std::memcpy(t, kept, m * sizeof(double)); break;
        case Op::End: std::memcpy(y, t, m * sizeof(double)); return;
        }
    }
}

}  // namespace

void CBulkEvaluator::Run(const CProgram &program, const double *x, double *y, std::size_t n, double k)
{
    ClearUpperVectorState();
    const std::size_t size = (program.MaxDepth() + 1) * kBatch;  // and the kept row
    if (m_aRows.size() < size)
        m_aRows.resize(size);
    for (std::size_t b = 0; b < n; b += kBatch)
        RunBatch(program.Code(), m_aRows.data(), m_aRows.data() + size - kBatch, x + b, y + b, std::min(kBatch, n - b), k);
}
