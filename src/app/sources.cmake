# The shell is built by several hands at once; each list is its own file.
target_sources(corvanta_gui PRIVATE
  src/app/Message.h src/app/Message.cpp)
include(src/app/frame.cmake OPTIONAL)
include(src/app/document.cmake OPTIONAL)
