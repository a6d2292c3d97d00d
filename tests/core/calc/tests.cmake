corvanta_test(calc_tests SOURCES core/calc/CalcTest.cpp core/calc/CalcPropertyTest.cpp)
