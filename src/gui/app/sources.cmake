target_sources(corvanta_gui PRIVATE
  src/gui/app/CommandTable.h src/gui/app/CommandTable.cpp
  src/gui/app/ShortcutsPage.h src/gui/app/ShortcutsPage.cpp
  src/gui/app/RecentFileList.h src/gui/app/RecentFileList.cpp
  src/gui/app/Artwork.h src/gui/app/Artwork.cpp res/corvanta.qrc
  src/gui/app/SplashDlg.h src/gui/app/SplashDlg.cpp
  src/gui/app/AboutDlg.h src/gui/app/AboutDlg.cpp
  src/gui/app/GraphAttrDlg.h src/gui/app/GraphAttrDlg.cpp
  src/gui/app/LockKeyWatcher.h src/gui/app/LockKeyWatcher.cpp
  src/gui/app/CorvantaDoc.h src/gui/app/CorvantaDoc.cpp
  src/gui/app/BarLabel.h
  src/gui/app/ExpressionBar.h src/gui/app/ExpressionBar.cpp
  src/gui/app/TraceBar.h src/gui/app/TraceBar.cpp
  src/gui/app/TangentBar.h src/gui/app/TangentBar.cpp
  src/gui/app/ZoomBar.h src/gui/app/ZoomBar.cpp
  src/gui/app/ParameterPanel.h src/gui/app/ParameterPanel.cpp
  src/gui/app/DocumentCommands.h src/gui/app/DocumentCommands.cpp
  src/gui/app/MainFrame.h src/gui/app/MainFrame.cpp
  src/gui/app/MainFrameViewHost.cpp
  src/gui/app/MainFrameCurveCommands.cpp
  src/gui/app/MainFrameTools.cpp
  src/gui/app/MainFrameUndo.cpp
  src/gui/app/FloatingBars.h src/gui/app/FloatingBars.cpp
  src/gui/app/FollowCommand.h src/gui/app/FollowCommand.cpp
  src/gui/app/CorvantaApp.h src/gui/app/CorvantaApp.cpp)

# Lock-key indicators of the status bar read the X keyboard state when the
# program runs on X11.
find_package(X11 QUIET)
if(X11_FOUND AND X11_Xkb_INCLUDE_PATH)
  target_compile_definitions(corvanta_gui PRIVATE CORVANTA_HAVE_X11)
  target_include_directories(corvanta_gui PRIVATE ${X11_INCLUDE_DIR})
  target_link_libraries(corvanta_gui PRIVATE ${X11_LIBRARIES})
endif()

# The pictures are SVG resources, drawn by Qt's SVG module.
