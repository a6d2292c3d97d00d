target_sources(corvanta_gui PRIVATE
  src/gui/analysis/ProgressDialog.h src/gui/analysis/ProgressDialog.cpp)
