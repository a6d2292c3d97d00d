# The main frame, its bars, the application object, splash and About box.
target_sources(corvanta_gui PRIVATE
  src/app/CommandIds.h
  src/app/CommandTable.h src/app/CommandTable.cpp
  src/app/RecentFileList.h src/app/RecentFileList.cpp
  src/app/Artwork.h src/app/Artwork.cpp
  src/app/SplashDlg.h src/app/SplashDlg.cpp
  src/app/AboutDlg.h src/app/AboutDlg.cpp
  src/app/LockKeys.h src/app/LockKeys.cpp
  src/app/MainFrame.h src/app/MainFrame.cpp
  src/app/CorvantaApp.h src/app/CorvantaApp.cpp)

# Lock-key indicators of the status bar read the X keyboard state when the
# program runs on X11.
find_package(X11 QUIET)
if(X11_FOUND AND X11_Xkb_INCLUDE_PATH)
  target_compile_definitions(corvanta_gui PRIVATE CORVANTA_HAVE_X11)
  target_include_directories(corvanta_gui PRIVATE ${X11_INCLUDE_DIR})
  target_link_libraries(corvanta_gui PRIVATE ${X11_LIBRARIES})
endif()
