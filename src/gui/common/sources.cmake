# Pieces every window shares: command ids, the one message box and the
# prompts every question to the user goes through.
target_sources(corvanta_gui PRIVATE
  src/gui/common/CommandIds.h
  src/gui/common/Message.h src/gui/common/Message.cpp
  src/gui/common/UserPrompts.h src/gui/common/UserPrompts.cpp
  src/gui/common/QtPrompts.h src/gui/common/QtPrompts.cpp)
