corvanta_test(frame_tests GUI SOURCES gui/GuiFixtures.h gui/app/MainFrameTest.cpp gui/app/StartupTest.cpp
  gui/app/GraphAttrDlgTest.cpp)
corvanta_test(document_tests GUI SOURCES gui/GuiFixtures.h gui/app/DocumentFileTest.cpp gui/app/FrameDocumentTest.cpp
  gui/app/UndoTest.cpp)
