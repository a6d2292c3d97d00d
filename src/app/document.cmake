# The document record, the .cva file format and the view/document synchronisation.
target_sources(corvanta_core PRIVATE
  src/app/EqStore.h
  src/app/DocViewState.h
  src/app/CvaFormat.h src/app/CvaFormat.cpp
  src/app/DocumentSync.h src/app/DocumentSync.cpp)

target_sources(corvanta_gui PRIVATE
  src/app/CorvantaDoc.h src/app/CorvantaDoc.cpp)
