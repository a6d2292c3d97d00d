# calc window tests
corvanta_test(calc_window_tests GUI SOURCES
  gui/calc/CalcDlgTest.cpp
  gui/calc/CalcFrameTest.cpp)
