target_sources(corvanta_gui PRIVATE
  src/gui/view/NumberField.h src/gui/view/NumberField.cpp
  src/gui/view/ViewHost.h
  src/gui/view/GraphRenderer.h src/gui/view/GraphRenderer.cpp
  src/gui/view/ResultsPainter.h src/gui/view/ResultsPainter.cpp
  src/gui/view/LegendPainter.h src/gui/view/LegendPainter.cpp
  src/gui/view/CorvantaView.h src/gui/view/CorvantaView.cpp
  src/gui/view/CorvantaViewTangent.cpp
  src/gui/view/CorvantaViewInput.cpp
  src/gui/view/GraphUndoCommand.h src/gui/view/GraphUndoCommand.cpp)
