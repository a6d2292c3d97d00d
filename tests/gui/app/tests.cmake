corvanta_test(frame_tests GUI SOURCES
  gui/app/FrameTestSupport.h
  gui/app/CommandTableTest.cpp
  gui/app/MainFrameTest.cpp
  gui/app/FrameViewTest.cpp
  gui/app/StartupTest.cpp
  gui/app/SplashAboutTest.cpp
  gui/app/FrameFitTest.cpp)

corvanta_test(document_tests GUI SOURCES
  gui/app/FrameTestSupport.h
  gui/app/DocumentFileTest.cpp
  gui/app/FrameDocumentTest.cpp)
