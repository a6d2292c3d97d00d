target_sources(corvanta_core PRIVATE
  src/core/doc/DocumentRecord.h
  src/core/doc/CvaBytes.h
  src/core/doc/CvaFormat.h src/core/doc/CvaFormat.cpp
  src/core/doc/CvaSection.h src/core/doc/CvaSection.cpp
  src/core/doc/DocumentSync.h src/core/doc/DocumentSync.cpp
  src/core/doc/DocumentFile.h src/core/doc/DocumentFile.cpp)
