corvanta_test(linalg_gui_tests GUI SOURCES gui/GuiFixtures.h gui/linalg/LinalgTest.cpp gui/linalg/MatrixOpsControls.h)
