# output windows
target_sources(corvanta_gui PRIVATE
  src/gui/output/Dib.h src/gui/output/Dib.cpp
  src/gui/output/GraphExport.h src/gui/output/GraphExport.cpp
  src/gui/output/GraphPrinter.h src/gui/output/GraphPrinter.cpp
  src/gui/output/HelpWindow.h src/gui/output/HelpWindow.cpp
  src/gui/output/OutputCommands.h src/gui/output/OutputCommands.cpp)
