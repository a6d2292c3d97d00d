target_sources(corvanta_core PRIVATE
  src/deriv/OperatorToken.h src/deriv/OperatorToken.cpp
  src/deriv/ConstantEvaluator.h src/deriv/ConstantEvaluator.cpp
  src/deriv/NumberText.h src/deriv/NumberText.cpp
  src/deriv/Simplify.h src/deriv/Simplify.cpp
  src/deriv/Derivative.h src/deriv/Derivative.cpp)
