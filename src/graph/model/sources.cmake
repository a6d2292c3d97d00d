target_sources(corvanta_graph PRIVATE
  src/graph/model/Graph.h src/graph/model/Graph.cpp
  src/graph/model/GraphCommand.h src/graph/model/GraphCommand.cpp)
