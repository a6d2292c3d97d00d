#include "cli/Cli.h"

// Placeholders until each group lands in its own file.
void AddAnalysisCommands(CLI::App &) {}
void AddCalcCommands(CLI::App &) {}
