corvanta_test(analysis_gui_tests GUI SOURCES
  gui/GuiFixtures.h
  gui/analysis/AnalysisSheetTest.cpp
  gui/analysis/IntegrateTableTest.cpp)
