find_package(muparser QUIET)
corvanta_test(expression_tests SOURCES
  core/expr/ExpressionTest.cpp
  core/expr/NumberTextTest.cpp
  core/expr/BulkEvaluationTest.cpp
  core/expr/RandomExpression.h)
# The differential check needs muParser (scripts/dev.sh test installs it).
if(muparser_FOUND)
  target_sources(expression_tests PRIVATE core/expr/MuParserDifferentialTest.cpp)
  target_link_libraries(expression_tests PRIVATE muparser::muparser)
endif()
