target_sources(corvanta_core PRIVATE
  src/core/deriv/OperatorToken.h src/core/deriv/OperatorToken.cpp
  src/core/deriv/ConstantEvaluator.h src/core/deriv/ConstantEvaluator.cpp
  src/core/deriv/ConstantText.h src/core/deriv/ConstantText.cpp
  src/core/deriv/Simplify.h src/core/deriv/Simplify.cpp
  src/core/deriv/Derivative.h src/core/deriv/Derivative.cpp)
