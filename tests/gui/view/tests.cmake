corvanta_test(view_tests GUI SOURCES
  gui/GuiFixtures.h
  gui/view/CorvantaViewTest.cpp
  gui/view/PlotCommandTest.cpp
  gui/view/ResultsPictureTest.cpp
  gui/view/ViewInputTest.cpp)
