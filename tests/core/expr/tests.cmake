find_package(muparser REQUIRED)
corvanta_test(expression_tests SOURCES
  core/expr/ExpressionTest.cpp
  core/expr/BulkEvaluationTest.cpp
  core/expr/MuParserDifferentialTest.cpp
  core/expr/RandomExpression.h)
target_link_libraries(expression_tests PRIVATE muparser::muparser)
