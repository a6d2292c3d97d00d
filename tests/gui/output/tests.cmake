corvanta_test(output_tests GUI SOURCES
  gui/GuiFixtures.h
  gui/output/OutputFilesTest.cpp
  gui/output/OutputCommandsTest.cpp)
target_compile_definitions(output_tests PRIVATE CORVANTA_HELP_PARENT="${PROJECT_SOURCE_DIR}/res/")

# Its own process: the scale factor must be set before the application starts.
corvanta_test(output_hidpi_tests GUI SOURCES gui/output/HiDpiTest.cpp)
