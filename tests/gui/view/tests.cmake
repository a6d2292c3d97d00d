corvanta_test(view_tests GUI SOURCES
  gui/view/ViewFixture.h
  gui/view/CorvantaViewTest.cpp
  gui/view/PlotCommandTest.cpp)

corvanta_test(trace_tangent_tests GUI SOURCES
  gui/view/ViewFixture.h
  gui/view/TraceTangentTest.cpp)
