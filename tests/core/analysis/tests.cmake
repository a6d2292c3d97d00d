corvanta_test(analysis_tests SOURCES
  core/analysis/ValueTestsTest.cpp)
