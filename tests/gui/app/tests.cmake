corvanta_test(frame_tests GUI SOURCES gui/GuiFixtures.h gui/app/MainFrameTest.cpp gui/app/StartupTest.cpp
  gui/app/GraphAttrDlgTest.cpp gui/app/ParameterPanelTest.cpp)
corvanta_test(document_tests GUI SOURCES gui/GuiFixtures.h gui/app/DocumentFileTest.cpp gui/app/FrameDocumentTest.cpp
  gui/app/UndoTest.cpp)
# --version and --help answer without a window system: no platform, no display.
foreach(option Version Help)
  string(TOLOWER ${option} flag)
  add_test(NAME App.${option}WithoutADisplay
           COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY --unset=WAYLAND_DISPLAY
                   $<TARGET_FILE:corvanta> --${flag})
endforeach()
set_tests_properties(App.VersionWithoutADisplay PROPERTIES PASS_REGULAR_EXPRESSION "^Corvanta [0-9]+\\.[0-9]+")
set_tests_properties(App.HelpWithoutADisplay PROPERTIES PASS_REGULAR_EXPRESSION "Usage: .*file.cva")
