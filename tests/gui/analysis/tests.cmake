# analysis window tests

corvanta_test(integration_dialog_tests GUI SOURCES
  gui/analysis/IntegrateCommandTest.cpp
  gui/analysis/PointsTableDlgTest.cpp
  gui/analysis/AnalysisFrameTest.cpp)
corvanta_test(analysis_sheet_tests GUI SOURCES
  gui/analysis/AnalysisSheetTest.cpp)
