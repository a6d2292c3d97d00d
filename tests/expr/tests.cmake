find_package(muparser REQUIRED)
corvanta_test(expression_tests SOURCES
  expr/ExpressionTest.cpp
  expr/BulkEvaluationTest.cpp
  expr/MuParserDifferentialTest.cpp
  expr/RandomExpression.h)
target_link_libraries(expression_tests PRIVATE muparser::muparser)
