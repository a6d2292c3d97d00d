target_sources(corvanta_gui PRIVATE
  src/app/Message.h src/app/Message.cpp)
