# calc windows
target_sources(corvanta_gui PRIVATE
  src/gui/calc/CalcButton.h src/gui/calc/CalcButton.cpp
  src/gui/calc/CalcDlg.h src/gui/calc/CalcDlg.cpp src/gui/calc/CalcDlgControls.cpp)
