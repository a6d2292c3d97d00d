corvanta_test(calc_window_tests GUI SOURCES gui/GuiFixtures.h gui/calc/CalcDlgTest.cpp)
