# End-to-end: the tests run the built corvanta-cli.
corvanta_test(cli_tests GUI SOURCES
  cli/CliRunner.h
  cli/CliUsageTest.cpp
  cli/ExpressionCliTest.cpp
  cli/AnalysisCliTest.cpp
  cli/CalcCliTest.cpp
  cli/MatrixCliTest.cpp
  cli/RenderCliTest.cpp
  cli/CliOwnCodeTest.cpp)
target_compile_definitions(cli_tests PRIVATE CORVANTA_CLI="$<TARGET_FILE:corvanta-cli>")
add_dependencies(cli_tests corvanta-cli)

# Pictures come from the graph layer: the command line links no widgets.
add_test(NAME Cli.LinksNoWidgets
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/links_no_widgets.sh $<TARGET_FILE:corvanta-cli>)
