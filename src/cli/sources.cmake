target_sources(corvanta-cli PRIVATE
  src/cli/Cli.h src/cli/Cli.cpp
  src/cli/MatrixInput.h src/cli/MatrixInput.cpp
  src/cli/Batch.h
  src/cli/AnalysisLimits.h src/cli/AnalysisLimits.cpp
  src/cli/main.cpp
  src/cli/Manual.cpp
  src/cli/ExpressionCommands.cpp
  src/cli/AnalysisCommands.cpp
  src/cli/CalcCommands.cpp
  src/cli/MatrixCommands.cpp
  src/cli/RenderCommands.cpp
  src/cli/FigureOptions.h src/cli/FigureOptions.cpp
  src/cli/ParamOption.h src/cli/ParamOption.cpp)
