corvanta_test(plot_tests SOURCES
  core/plot/ViewStateTest.cpp
  core/plot/CurvePathTest.cpp
  core/plot/GridLayoutTest.cpp)
