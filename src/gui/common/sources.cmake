# Pieces every window shares: command ids and the one message box.
target_sources(corvanta_gui PRIVATE
  src/gui/common/CommandIds.h
  src/gui/common/Message.h src/gui/common/Message.cpp)
