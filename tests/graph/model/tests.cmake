corvanta_test(graph_tests GUI SOURCES graph/model/GraphTest.cpp graph/render/AxisPictureTest.cpp graph/render/CurvePictureTest.cpp)
target_compile_definitions(graph_tests PRIVATE CORVANTA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
