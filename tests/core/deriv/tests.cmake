corvanta_test(deriv_tests SOURCES core/deriv/DerivativeTest.cpp core/deriv/DerivativeParameterTest.cpp)
# The derivative column of the valid-text table (see core/expr/tests.cmake).
target_compile_definitions(deriv_tests PRIVATE CORVANTA_VALID_TEXTS="${CMAKE_CURRENT_SOURCE_DIR}/core/expr/valid_texts.tsv")
