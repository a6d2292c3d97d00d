#pragma once

#include "core/expr/Interval.h"

#include <vector>

class CProgram;

// The program run over a set of x: an interval that holds every value the
// program takes there (see Interval.h), with the flags of what may happen
// inside. The same instructions as the point evaluators, each in its set
// form; angleFactor as for RunProgram. stack is resized as needed.
SInterval RunIntervalProgram(const CProgram &program, std::vector<SInterval> &stack, const SInterval &x,
                             double angleFactor);
