corvanta_fuzz(expression_fuzz expr/ExpressionFuzz.cpp)
corvanta_fuzz(interval_fuzz expr/IntervalFuzz.cpp)
