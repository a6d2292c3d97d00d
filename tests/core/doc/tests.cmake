corvanta_test(doc_tests SOURCES core/doc/DocumentTest.cpp)
