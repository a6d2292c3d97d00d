target_sources(corvanta_gui PRIVATE
  src/gui/analysis/ProgressDialog.h src/gui/analysis/ProgressDialog.cpp)
# The analysis sheet and its pages
target_sources(corvanta_gui PRIVATE
  src/gui/analysis/AnalysisPage.h src/gui/analysis/AnalysisPage.cpp
  src/gui/analysis/AnalysisSheet.h src/gui/analysis/AnalysisSheet.cpp
  src/gui/analysis/Solve.h src/gui/analysis/Solve.cpp
  src/gui/analysis/Crit.h src/gui/analysis/Crit.cpp
  src/gui/analysis/Inflex.h src/gui/analysis/Inflex.cpp)
