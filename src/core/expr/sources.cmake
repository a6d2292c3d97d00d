target_sources(corvanta_core PRIVATE
  src/core/expr/NumberText.h src/core/expr/NumberText.cpp
  src/core/expr/ShownNumber.h src/core/expr/ShownNumber.cpp
  src/core/expr/ConstantValue.h src/core/expr/ConstantValue.cpp
  src/core/expr/FunctionText.h src/core/expr/FunctionText.cpp
  src/core/expr/Expression.h src/core/expr/Expression.cpp
  src/core/expr/Operations.h src/core/expr/Operations.cpp
  src/core/expr/Angle.h src/core/expr/Angle.cpp
  src/core/expr/CodedText.h src/core/expr/CodedText.cpp
  src/core/expr/Postfix.h src/core/expr/Postfix.cpp
  src/core/expr/Program.h src/core/expr/Program.cpp
  src/core/expr/IntegerPower.h src/core/expr/IntegerPower.cpp
  src/core/expr/SingleEvaluator.h src/core/expr/SingleEvaluator.cpp src/core/expr/SingleEvaluatorBody.inc
  src/core/expr/BulkEvaluator.h src/core/expr/BulkEvaluator.cpp
  src/core/expr/Interval.h src/core/expr/Interval.cpp
  src/core/expr/IntervalEvaluator.h src/core/expr/IntervalEvaluator.cpp
  src/core/expr/SyntaxPlace.h src/core/expr/SyntaxPlace.cpp)
# Single and bulk evaluation must agree bit for bit, and the exact powers
# rely on every product being rounded: no fused multiply-add by the compiler.
set_source_files_properties(
  src/core/expr/Expression.cpp src/core/expr/Operations.cpp src/core/expr/Program.cpp
  src/core/expr/IntegerPower.cpp src/core/expr/SingleEvaluator.cpp
  PROPERTIES COMPILE_OPTIONS "-ffp-contract=off")
# The row loops are worth vectorising, which GCC's -O2 alone does not do for them.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set_source_files_properties(src/core/expr/BulkEvaluator.cpp
    PROPERTIES COMPILE_OPTIONS "-ffp-contract=off;-fvect-cost-model=cheap")
else()
  set_source_files_properties(src/core/expr/BulkEvaluator.cpp PROPERTIES COMPILE_OPTIONS "-ffp-contract=off")
endif()
