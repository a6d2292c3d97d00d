corvanta_test(deriv_tests SOURCES core/deriv/DerivativeTest.cpp)
