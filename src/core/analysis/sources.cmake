target_sources(corvanta_core PRIVATE
  src/core/analysis/ValueTests.h src/core/analysis/ValueTests.cpp
  src/core/analysis/Progress.h)
# Roots, extrema and inflection points
target_sources(corvanta_core PRIVATE
  src/core/analysis/DecimalRounder.h
  src/core/analysis/RootFinder.h src/core/analysis/RootFinder.cpp
  src/core/analysis/PointSearch.h src/core/analysis/PointSearch.cpp
  src/core/analysis/ExtremaFinder.h src/core/analysis/ExtremaFinder.cpp
  src/core/analysis/InflexFinder.h src/core/analysis/InflexFinder.cpp)
