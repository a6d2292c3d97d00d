corvanta_test(expression_tests SOURCES core/expr/ExpressionTest.cpp)
# The differential check needs muParser (scripts/dev.sh test installs it).
find_package(muparser QUIET)
if(muparser_FOUND)
  target_compile_definitions(expression_tests PRIVATE CORVANTA_HAVE_MUPARSER)
  target_link_libraries(expression_tests PRIVATE muparser::muparser)
endif()
