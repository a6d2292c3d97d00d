# analysis window tests
corvanta_test(analysis_sheet_tests GUI SOURCES
  gui/analysis/AnalysisSheetTest.cpp)
