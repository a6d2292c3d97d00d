corvanta_test(deriv_tests SOURCES
  deriv/DerivativeTest.cpp
  deriv/SimplifyTest.cpp
  deriv/NumericalOracleTest.cpp)
