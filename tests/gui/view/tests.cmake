corvanta_test(view_tests GUI SOURCES
  gui/view/ViewFixture.h
  gui/view/CorvantaViewTest.cpp
  gui/view/PlotCommandTest.cpp)
