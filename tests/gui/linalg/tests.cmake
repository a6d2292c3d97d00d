# linalg window tests
corvanta_test(linalg_gui_tests GUI SOURCES
  gui/linalg/GridTestSupport.h
  gui/linalg/EditGridTest.cpp
  gui/linalg/SimEqDlgTest.cpp
  gui/linalg/DetDlgTest.cpp
  gui/linalg/MatrixOpsDlgTest.cpp
  gui/linalg/ToolsCommandTest.cpp)
