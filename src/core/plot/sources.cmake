target_sources(corvanta_core PRIVATE
  src/core/plot/GraphState.h
  src/core/plot/Parameters.h src/core/plot/Parameters.cpp
  src/core/plot/GraphResults.h src/core/plot/GraphResults.cpp
  src/core/plot/ViewState.h src/core/plot/ViewState.cpp
  src/core/plot/ViewSnapshot.h src/core/plot/ViewSnapshot.cpp
  src/core/plot/CurvePath.h src/core/plot/CurvePath.cpp
  src/core/plot/ColumnSampler.h src/core/plot/ColumnSampler.cpp
  src/core/plot/PlotMapping.h src/core/plot/PlotMapping.cpp
  src/core/plot/ShadeRegion.h src/core/plot/ShadeRegion.cpp
  src/core/plot/LineClip.h src/core/plot/LineClip.cpp
  src/core/plot/GridLayout.h src/core/plot/GridLayout.cpp
  src/core/plot/AxisTicks.h src/core/plot/AxisTicks.cpp)
