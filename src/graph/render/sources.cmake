target_sources(corvanta_graph PRIVATE
  src/graph/render/GraphRenderer.h src/graph/render/GraphRenderer.cpp
  src/graph/render/ResultsPainter.h src/graph/render/ResultsPainter.cpp
  src/graph/render/AxisPainter.h src/graph/render/AxisPainter.cpp
  src/graph/render/LegendPainter.h src/graph/render/LegendPainter.cpp
  src/graph/render/Dib.h src/graph/render/Dib.cpp
  src/graph/render/GraphPicture.h src/graph/render/GraphPicture.cpp)
