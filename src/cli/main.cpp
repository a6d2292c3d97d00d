#include "cli/Cli.h"

#include "CorvantaVersion.h"

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char **argv)
{
    CLI::App app("Corvanta's engine from the command line: functions of x, their derivatives, roots, "
                 "extrema and inflection points, integrals, tables, the calculator, linear algebra and "
                 "pictures of graphs.",
                 "corvanta-cli");
    app.require_subcommand(1);
    app.fallthrough(false);
    bool manual = false;
    app.add_flag("--manual-page", manual, "Print the manual page (troff) and exit")->group("");
    app.set_version_flag("--version", "corvanta-cli " CORVANTA_VERSION, "Print the version and exit");
    AddExpressionCommands(app);
    AddAnalysisCommands(app);
    AddCalcCommands(app);
    AddMatrixCommands(app);
    AddRenderCommands(app);

    // The manual page is made before the subcommand rule could refuse it.
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--manual-page") {
            std::cout << ManualPage(app);
            return 0;
        }
    // CLI11 would only say that a command is required.
    const auto named = [&](const CLI::App *command) { return command->check_name(argv[1]); };
    if (argc > 1 && argv[1][0] != '-' && app.get_subcommands(named).empty()) {
        std::cerr << "'" << argv[1] << "' is not a command of corvanta-cli.\nRun with --help for the commands.\n";
        return kExitUsage;
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp &e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp &e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion &e) {
        return app.exit(e);
    } catch (const CLI::ParseError &e) {
        app.exit(e);
        return kExitUsage;
    } catch (const CInputError &e) {
        if (*e.what())
            std::cerr << e.what() << '\n';
        return kExitInput;
    }
    // A result that never arrived (a full disk, a closed pipe) is no success.
    if (!std::cout.flush()) {
        std::cerr << "standard output: the result could not be written\n";
        return kExitInput;
    }
    return 0;
}
