corvanta_test(plot_tests SOURCES core/plot/PlotTest.cpp core/plot/LineClipTest.cpp core/plot/ShadeRegionTest.cpp
  core/plot/ViewNavigationTest.cpp core/plot/ColumnSamplerTest.cpp
  core/plot/AxisTicksTest.cpp)
