target_sources(corvanta_core PRIVATE
  src/core/analysis/ValueTests.h src/core/analysis/ValueTests.cpp
  src/core/analysis/Progress.h)

# Integration, points table, trace and tangent.
target_sources(corvanta_core PRIVATE
  src/core/analysis/Integration.h src/core/analysis/Integration.cpp
  src/core/analysis/IntegralLabel.h src/core/analysis/IntegralLabel.cpp
  src/core/analysis/PoleWatch.h src/core/analysis/PoleWatch.cpp
  src/core/analysis/PointsTable.h src/core/analysis/PointsTable.cpp
  src/core/analysis/Tangent.h src/core/analysis/Tangent.cpp
  src/core/analysis/TraceText.h src/core/analysis/TraceText.cpp)
# Roots, extrema and inflection points
target_sources(corvanta_core PRIVATE
  src/core/analysis/DecimalRounder.h
  src/core/analysis/RootFinder.h src/core/analysis/RootFinder.cpp
  src/core/analysis/PointFinder.h src/core/analysis/PointFinder.cpp
  src/core/analysis/ExtremaFinder.h src/core/analysis/ExtremaFinder.cpp
  src/core/analysis/InflexFinder.h src/core/analysis/InflexFinder.cpp
  src/core/analysis/AnalysisRun.h src/core/analysis/AnalysisRun.cpp
  src/core/analysis/AnalysisWording.h src/core/analysis/AnalysisWording.cpp
  src/core/analysis/AnalysisMarks.h src/core/analysis/AnalysisMarks.cpp)
