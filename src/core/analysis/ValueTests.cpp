#include "core/analysis/ValueTests.h"

#include "core/analysis/DecimalRounder.h"

double RoundToDecimals(double v, int n) { return CDecimalRounder(n)(v); }
