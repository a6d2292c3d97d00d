target_sources(corvanta_core PRIVATE
  src/expr/Expression.h src/expr/Expression.cpp)
# Single and bulk evaluation must agree bit for bit, so no fused multiply-add.
set_source_files_properties(src/expr/Expression.cpp PROPERTIES COMPILE_OPTIONS "-ffp-contract=off")
