target_sources(corvanta_core PRIVATE
  src/core/expr/NumberText.h src/core/expr/NumberText.cpp
  src/core/expr/FunctionText.h src/core/expr/FunctionText.cpp
  src/core/expr/Expression.h src/core/expr/Expression.cpp)
# Single and bulk evaluation must agree bit for bit, so no fused multiply-add.
set_source_files_properties(src/core/expr/Expression.cpp PROPERTIES COMPILE_OPTIONS "-ffp-contract=off")
