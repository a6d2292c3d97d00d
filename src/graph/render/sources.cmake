target_sources(corvanta_graph PRIVATE
  src/graph/render/GraphRenderer.h src/graph/render/GraphRenderer.cpp
  src/graph/render/ResultsPainter.h src/graph/render/ResultsPainter.cpp
  src/graph/render/LegendPainter.h src/graph/render/LegendPainter.cpp
  src/graph/render/BmpImage.h src/graph/render/BmpImage.cpp
  src/graph/render/GraphPicture.h src/graph/render/GraphPicture.cpp)
