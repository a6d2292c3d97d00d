# The command line's readers of numbers and matrices; CLI11 and the JSON
# library are header-only, so the two sources build without the program.
corvanta_fuzz(cli_fuzz cli/CliFuzz.cpp ${PROJECT_SOURCE_DIR}/src/cli/Cli.cpp ${PROJECT_SOURCE_DIR}/src/cli/MatrixInput.cpp)
target_link_libraries(cli_fuzz PRIVATE CLI11::CLI11 nlohmann_json::nlohmann_json)
