#include "cli/Cli.h"

#include "CorvantaVersion.h"

#include <CLI/CLI.hpp>

#include <algorithm>
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
    if (argc > 1 && argv[1][0] == '-') {
        const std::string first = argv[1];
        if (app.get_option_no_throw(first.substr(0, first.find('='))) == nullptr) {
            std::cerr << "'" << first << "' is not an option of corvanta-cli.\nRun with --help for the options.\n";
            return kExitUsage;
        }
    }

    // An expression such as -x^2 reaches its command as a value; the blank
    // that carries it past CLI11 is dropped before any check sees it.
    for (CLI::App *command : app.get_subcommands({}))
        for (CLI::Option *option : command->get_options())
            if (option->get_type_size_max() > 0)
                option->transform([](std::string text) {
                    if (text.size() > 1 && text[0] == ' ' && text[1] == '-')
                        text.erase(0, 1);
                    return text;
                });
    std::vector<std::string> args = ExpressionsAsValues(app, argc, argv);

    // With --json a failure is answered in JSON too, beside the message.
    const auto answerFailure = [&](const std::string &message) {
        const std::vector<CLI::App *> parsed = app.get_subcommands();
        const bool json = parsed.empty() ? std::find(args.begin(), args.end(), "--json") != args.end()
                                         : JsonRequested(*parsed.front());
        if (!json)
            return;
        nlohmann::json answer = parsed.empty() ? nlohmann::json{{"command", argc > 1 ? argv[1] : ""}, {"input", nlohmann::json::object()}}
                                               : CommandHeader(*parsed.front());
        answer["error"] = message;
        std::cout << answer.dump(2) << '\n';
    };
    int status = 0;
    try {
        app.parse(args);
    } catch (const CLI::CallForHelp &e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp &e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion &e) {
        return app.exit(e);
    } catch (const CLI::ParseError &e) {
        app.exit(e);
        answerFailure(e.what());
        status = kExitUsage;
    } catch (const CInputError &e) {
        // An empty message: a batch that has answered for each item already.
        if (*e.what()) {
            std::cerr << e.what() << '\n';
            answerFailure(e.what());
        }
        status = kExitInput;
    }
    // A result that never arrived (a full disk, a closed pipe) is no success.
    if (!std::cout.flush()) {
        std::cerr << "standard output: the result could not be written\n";
        return kExitInput;
    }
    return status;
}
