corvanta_test(deriv_tests SOURCES
  core/deriv/DerivativeTest.cpp
  core/deriv/SimplifyTest.cpp
  core/deriv/NumericalOracleTest.cpp)
