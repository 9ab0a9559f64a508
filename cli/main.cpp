#include <CLI/CLI.hpp>
#include <iostream>

#include "flag_commands.hpp"
#include "model_commands.hpp"
#include "resource_commands.hpp"
#include "tpl_commands.hpp"

// skerry-cli: the editor's core from the command line. Exit 0 = done, 1 = nothing found,
// 2 = bad arguments or a file that cannot be used.
int main(int argc, char** argv) {
    CLI::App app{"Skerry: template tools for Jedi Knight and Mots"};
    app.require_subcommand(1);
    int exitCode = skerry::cli::kDone;
    skerry::cli::AddTplCommands(app, exitCode);
    skerry::cli::AddResourceCommands(app, exitCode);
    skerry::cli::AddFlagCommands(app, exitCode);
    skerry::cli::AddModelCommands(app, exitCode);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return skerry::cli::kDone;
    } catch (const CLI::ParseError& error) {
        std::cerr << error.what() << '\n';
        return skerry::cli::kBadInput;
    }
    return exitCode;
}
