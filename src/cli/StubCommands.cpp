#include "cli/Cli.h"

// Placeholders until each group lands in its own file.
void AddMatrixCommands(CLI::App &) {}
void AddRenderCommands(CLI::App &) {}
