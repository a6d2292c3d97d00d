target_sources(corvanta_core PRIVATE
  src/core/analysis/ValueTests.h src/core/analysis/ValueTests.cpp
  src/core/analysis/Progress.h)
