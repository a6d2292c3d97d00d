corvanta_test(linalg_gui_tests GUI SOURCES
  gui/GuiFixtures.h
  gui/linalg/GridTestSupport.h
  gui/linalg/EditGridTest.cpp
  gui/linalg/LinalgDialogsTest.cpp)
