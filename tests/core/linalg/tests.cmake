# linalg engine tests
corvanta_test(linalg_tests SOURCES
  core/linalg/NumberFormatTest.cpp
  core/linalg/DeterminantTest.cpp
  core/linalg/LinearSystemTest.cpp
  core/linalg/MatrixTest.cpp
  core/linalg/OracleTest.cpp)
target_link_libraries(linalg_tests PRIVATE Eigen3::Eigen)
