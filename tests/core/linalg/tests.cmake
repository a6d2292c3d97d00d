corvanta_test(linalg_tests SOURCES core/linalg/LinalgTest.cpp core/linalg/ExactTest.cpp)
target_link_libraries(linalg_tests PRIVATE Eigen3::Eigen)
