corvanta_test(view_core_tests SOURCES
  view/NumberTextTest.cpp
  view/ViewStateTest.cpp
  view/CurvePathTest.cpp
  view/GridLayoutTest.cpp)

corvanta_test(view_gui_tests GUI SOURCES
  view/CorvantaViewTest.cpp
  view/PlotCommandTest.cpp)
