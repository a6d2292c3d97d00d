target_sources(corvanta_gui PRIVATE
  src/gui/view/NumberField.h src/gui/view/NumberField.cpp
  src/gui/view/ViewHost.h
  src/gui/view/AxisProfile.h src/gui/view/AxisProfile.cpp
  src/gui/view/CorvantaView.h src/gui/view/CorvantaView.cpp
  src/gui/view/CorvantaViewTangent.cpp
  src/gui/view/CorvantaViewInput.cpp)
