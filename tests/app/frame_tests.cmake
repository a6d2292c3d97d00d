corvanta_test(frame_tests GUI SOURCES
  app/FrameTestSupport.h
  app/CommandTableTest.cpp
  app/MainFrameTest.cpp
  app/FrameViewTest.cpp
  app/StartupTest.cpp
  app/SplashAboutTest.cpp)
