# linalg windows
target_sources(corvanta_gui PRIVATE
  src/gui/linalg/Grid.h src/gui/linalg/Grid.cpp
  src/gui/linalg/GridEdit.h src/gui/linalg/GridEdit.cpp
  src/gui/linalg/EditGrid.h src/gui/linalg/EditGrid.cpp
  src/gui/linalg/SpinButton.h src/gui/linalg/SpinButton.cpp
  src/gui/linalg/FieldValidation.h src/gui/linalg/FieldValidation.cpp
  src/gui/linalg/WaitCursor.h
  src/gui/linalg/KeptWork.h src/gui/linalg/KeptWork.cpp
  src/gui/linalg/SimEqDlg.h src/gui/linalg/SimEqDlg.cpp
  src/gui/linalg/DetDlg.h src/gui/linalg/DetDlg.cpp
  src/gui/linalg/MatrixResultDlg.h src/gui/linalg/MatrixResultDlg.cpp
  src/gui/linalg/MatrixOpsDlg.h src/gui/linalg/MatrixOpsDlg.cpp)
