corvanta_test(analysis_search_tests SOURCES core/analysis/SearchTest.cpp core/analysis/IntersectionTest.cpp
              core/analysis/RootPropertyTest.cpp core/analysis/AnalysisMarksTest.cpp
              core/analysis/ParameterAnalysisTest.cpp)
corvanta_test(integration_table_tests SOURCES core/analysis/IntegrationTableTest.cpp core/analysis/IntegrationPropertyTest.cpp)
