corvanta_fuzz(expression_fuzz expr/ExpressionFuzz.cpp)
