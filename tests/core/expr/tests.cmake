corvanta_test(expression_tests SOURCES core/expr/ExpressionTest.cpp core/expr/EvaluateOracleTest.cpp core/expr/ConstantValueTest.cpp
  core/expr/IntervalTest.cpp
  core/expr/ShownNumberTest.cpp core/expr/ValidTextTest.cpp core/expr/ParameterTest.cpp)
# The differential check needs muParser (scripts/dev.sh test installs it).
find_package(muparser QUIET)
if(muparser_FOUND)
  target_compile_definitions(expression_tests PRIVATE CORVANTA_HAVE_MUPARSER)
  target_link_libraries(expression_tests PRIVATE muparser::muparser)
endif()
# Valid texts and their coded texts as the coder gave them before bracket products and the
# names past log: none may change.
target_compile_definitions(expression_tests PRIVATE CORVANTA_CODED_TEXTS="${CMAKE_CURRENT_SOURCE_DIR}/core/expr/coded_texts.tsv")
# Texts valid before parameter letters, with their coded text, values and derivative as they
# were then (tab-separated: text, coded text, values at -2.5 0.5 3 and at 30 degrees, f'(x)).
target_compile_definitions(expression_tests PRIVATE CORVANTA_VALID_TEXTS="${CMAKE_CURRENT_SOURCE_DIR}/core/expr/valid_texts.tsv")
# Refused texts without parameter letters and the code each was refused with then.
target_compile_definitions(expression_tests PRIVATE CORVANTA_INVALID_TEXTS="${CMAKE_CURRENT_SOURCE_DIR}/core/expr/invalid_texts.tsv")
