# calc engine tests
corvanta_test(calc_tests SOURCES
  core/calc/CalcEvaluatorTest.cpp
  core/calc/CalcOracleTest.cpp
  core/calc/BaseNumberTest.cpp
  core/calc/CalcTextTest.cpp)
