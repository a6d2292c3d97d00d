corvanta_test(doc_tests SOURCES core/doc/DocumentTest.cpp)
target_compile_definitions(doc_tests PRIVATE CVA_CORPUS_DIR="${CMAKE_SOURCE_DIR}/fuzz/doc/corpus")
