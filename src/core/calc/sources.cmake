# calc engine
target_sources(corvanta_core PRIVATE
  src/core/calc/BaseNumber.h src/core/calc/BaseNumber.cpp
  src/core/calc/CalcEvaluator.h src/core/calc/CalcEvaluator.cpp src/core/calc/Combinatorics.cpp
  src/core/calc/CalcFunctions.h src/core/calc/CalcFunctions.cpp src/core/calc/CalcRefusals.h
  src/core/calc/CalcResult.h
  src/core/calc/CalcText.h src/core/calc/CalcText.cpp
  src/core/calc/FunctionValue.h src/core/calc/FunctionValue.cpp)
