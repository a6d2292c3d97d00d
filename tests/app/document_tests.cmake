corvanta_test(document_tests SOURCES
  app/CvaFormatTest.cpp
  app/DocumentSyncTest.cpp)
