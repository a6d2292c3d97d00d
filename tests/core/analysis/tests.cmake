corvanta_test(analysis_tests SOURCES
  core/analysis/ValueTestsTest.cpp)

corvanta_test(integration_table_tests SOURCES
  core/analysis/IntegrationTest.cpp
  core/analysis/PointsTableTest.cpp
  core/analysis/TangentTest.cpp)
corvanta_test(analysis_search_tests SOURCES
  core/analysis/RootFinderTest.cpp
  core/analysis/PointFinderTest.cpp
  core/analysis/SearchOracleTest.cpp)
