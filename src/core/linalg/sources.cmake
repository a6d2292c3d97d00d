# linalg engine
find_package(Eigen3 3.4 REQUIRED NO_MODULE)
target_link_libraries(corvanta_core PRIVATE Eigen3::Eigen)
target_sources(corvanta_core PRIVATE
  src/core/linalg/ScaledLu.h src/core/linalg/ScaledLu.cpp
  src/core/linalg/Exact.h src/core/linalg/Exact.cpp
  src/core/linalg/Determinant.h src/core/linalg/Determinant.cpp
  src/core/linalg/LinearSystem.h src/core/linalg/LinearSystem.cpp
  src/core/linalg/Matrix.h src/core/linalg/Matrix.cpp
  src/core/linalg/ToolText.h src/core/linalg/ToolText.cpp)
