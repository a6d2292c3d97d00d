corvanta_fuzz(deriv_fuzz deriv/DerivFuzz.cpp)
# Coverage feedback and sanitizers for the code under test as well.
set_source_files_properties(
  ${CMAKE_SOURCE_DIR}/src/deriv/OperatorToken.cpp
  ${CMAKE_SOURCE_DIR}/src/deriv/ConstantEvaluator.cpp
  ${CMAKE_SOURCE_DIR}/src/deriv/NumberText.cpp
  ${CMAKE_SOURCE_DIR}/src/deriv/Simplify.cpp
  ${CMAKE_SOURCE_DIR}/src/deriv/Derivative.cpp
  DIRECTORY ${CMAKE_SOURCE_DIR}
  PROPERTIES COMPILE_OPTIONS "-fsanitize=fuzzer-no-link,address,undefined;-fno-sanitize-recover=all")
