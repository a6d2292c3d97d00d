# Integration and the points table.
target_sources(corvanta_gui PRIVATE
  src/gui/analysis/IntegrateDlg.h src/gui/analysis/IntegrateDlg.cpp
  src/gui/analysis/IntegrateCommand.h src/gui/analysis/IntegrateCommand.cpp
  src/gui/analysis/TableSettingsDlg.h src/gui/analysis/TableSettingsDlg.cpp
  src/gui/analysis/PointsTableDlg.h src/gui/analysis/PointsTableDlg.cpp
  src/gui/analysis/PointsTableCommand.h src/gui/analysis/PointsTableCommand.cpp)
# The analysis sheet and its pages
target_sources(corvanta_gui PRIVATE
  src/gui/analysis/AnalysisPage.h src/gui/analysis/AnalysisPage.cpp
  src/gui/analysis/AnalysisSheet.h src/gui/analysis/AnalysisSheet.cpp
  src/gui/analysis/RootsPage.h src/gui/analysis/RootsPage.cpp
  src/gui/analysis/ExtremaPage.h src/gui/analysis/ExtremaPage.cpp
  src/gui/analysis/InflectionPage.h src/gui/analysis/InflectionPage.cpp
  src/gui/analysis/IntersectionsPage.h src/gui/analysis/IntersectionsPage.cpp)
