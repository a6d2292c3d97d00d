#include "core/expr/IntervalEvaluator.h"

#include "core/expr/Operations.h"
#include "core/expr/Program.h"

SInterval RunIntervalProgram(const CProgram &program, std::vector<SInterval> &stack, const SInterval &x, double k)
{
    using Op = CProgram::Op;
    namespace iv = interval;
    if (stack.size() < program.MaxDepth() + 1)
        stack.resize(program.MaxDepth() + 1);
    SInterval *s = stack.data();
    std::size_t n = 0;
    SInterval t = SInterval::Empty(), kept;
    const auto c = [](const CProgram::Instr *p) { return SInterval::Point(p->value); };
    for (const CProgram::Instr *p = program.Code();; ++p) {
        switch (p->op) {
        case Op::PushC: s[n++] = t; t = c(p); break;
        case Op::PushX: s[n++] = t; t = x; break;
        case Op::PushP: s[n++] = t; t = c(p); break;  // a point: the value set
        case Op::Add: t = iv::Add(s[--n], t); break;
        case Op::Sub: t = iv::Sub(s[--n], t); break;
        case Op::Mul: t = iv::Mul(s[--n], t); break;
        case Op::Div: t = iv::Div(s[--n], t); break;
        case Op::Pow: t = iv::Pow(s[--n], t); break;
        case Op::Other: --n; t = SInterval::Of(0, 0); break;
        case Op::AddC: t = iv::Add(t, c(p)); break;
        case Op::SubC: t = iv::Sub(t, c(p)); break;
        case Op::MulC: t = iv::Mul(t, c(p)); break;
        case Op::DivC: t = iv::Div(t, c(p)); break;
        case Op::PowC: t = iv::Pow(t, c(p)); break;
        case Op::AddX: t = iv::Add(t, x); break;
        case Op::SubX: t = iv::Sub(t, x); break;
        case Op::MulX: t = iv::Mul(t, x); break;
        case Op::DivX: t = iv::Div(t, x); break;
        case Op::PowX: t = iv::Pow(t, x); break;
        case Op::XAddC: s[n++] = t; t = iv::Add(x, c(p)); break;
        case Op::XSubC: s[n++] = t; t = iv::Sub(x, c(p)); break;
        case Op::XMulC: s[n++] = t; t = iv::Mul(x, c(p)); break;
        case Op::XDivC: s[n++] = t; t = iv::Div(x, c(p)); break;
        case Op::XPowC: s[n++] = t; t = iv::Pow(x, c(p)); break;
        case Op::CAddX: s[n++] = t; t = iv::Add(c(p), x); break;
        case Op::CSubX: s[n++] = t; t = iv::Sub(c(p), x); break;
        case Op::CMulX: s[n++] = t; t = iv::Mul(c(p), x); break;
        case Op::CDivX: s[n++] = t; t = iv::Div(c(p), x); break;
        case Op::CPowX: s[n++] = t; t = iv::Pow(c(p), x); break;
        case Op::Sqr: t = iv::Pow(t, SInterval::Of(2, 2)); break;
        case Op::Cube: t = iv::Pow(t, SInterval::Of(3, 3)); break;
        case Op::Fourth: t = iv::Pow(t, SInterval::Of(4, 4)); break;
        case Op::XSqr: s[n++] = t; t = iv::Pow(x, SInterval::Of(2, 2)); break;
        case Op::XCube: s[n++] = t; t = iv::Pow(x, SInterval::Of(3, 3)); break;
        case Op::XFourth: s[n++] = t; t = iv::Pow(x, SInterval::Of(4, 4)); break;
        case Op::Neg: t = iv::Neg(t); break;
        case Op::Fn: t = p->operation->interval(t, k); break;
        case Op::XSinCos: s[n++] = t; t = iv::Sin(x, k); kept = iv::Cos(x, k); break;
        case Op::XCosSin: s[n++] = t; t = iv::Cos(x, k); kept = iv::Sin(x, k); break;
        case Op::PushKept: s[n++] = t; t = kept; break;
        case Op::End: return t;
        }
    }
}
