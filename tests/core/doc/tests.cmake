corvanta_test(doc_tests SOURCES core/doc/DocumentTest.cpp)
target_compile_definitions(doc_tests PRIVATE CORVANTA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
