# Mapping, scaling and curve sampling are plain arithmetic and live in the
# core; the widget and the painter code in the GUI library.
target_sources(corvanta_core PRIVATE
  src/view/NumberText.h src/view/NumberText.cpp
  src/view/ViewState.h src/view/ViewState.cpp
  src/view/CurvePath.h src/view/CurvePath.cpp
  src/view/GridLayout.h src/view/GridLayout.cpp)
target_sources(corvanta_gui PRIVATE
  src/view/ViewHost.h
  src/view/GraphRenderer.h src/view/GraphRenderer.cpp
  src/view/CorvantaView.h src/view/CorvantaView.cpp)
