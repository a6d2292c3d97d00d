corvanta_test(document_tests SOURCES
  app/CvaFormatTest.cpp
  app/DocumentSyncTest.cpp)
target_compile_definitions(document_tests PRIVATE CVA_CORPUS_DIR="${CMAKE_SOURCE_DIR}/fuzz/app/corpus")

corvanta_test(document_gui_tests GUI SOURCES
  app/DocumentFileTest.cpp)
