corvanta_test(frame_tests GUI SOURCES
  app/FrameTestSupport.h
  app/CommandTableTest.cpp
  app/MainFrameTest.cpp
  app/FrameViewTest.cpp
  app/StartupTest.cpp
  app/SplashAboutTest.cpp)

corvanta_test(frame_document_tests GUI SOURCES
  app/FrameTestSupport.h
  app/FrameDocumentTest.cpp
  app/FrameKeysTest.cpp)
