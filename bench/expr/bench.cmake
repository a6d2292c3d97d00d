corvanta_bench(expression_bench expr/ExpressionBench.cpp)
target_link_libraries(expression_bench PRIVATE muparser::muparser ${FPARSER_LIBRARY})
