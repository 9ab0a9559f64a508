#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include "common/file_path.hpp"
#include "flag_commands.hpp"
#include "level_commands.hpp"
#include "model_commands.hpp"
#include "resource_commands.hpp"
#include "tpl_commands.hpp"

// skerry-cli: the editor's core from the command line. Exit 0 = done, 1 = nothing found (for
// `tpl lint`: findings), 2 = bad arguments or a file that cannot be used.
int main(int argc, char** argv) {
#ifdef _WIN32
    // An entry extracted to stdout is bytes: text mode would turn each LF into CR LF and end
    // the stream at a Ctrl-Z. Messages then end in LF as on Linux, which consoles show alike.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    CLI::App app{"Skerry: template tools for Jedi Knight and Mots"};
    app.require_subcommand(1);
    // Options start with - or -- everywhere. CLI11 would also take /NAME as an option on
    // Windows, and so misread a path from the drive's root such as /jed/master.tpl. Set
    // before the commands are added, which copy it.
    app.allow_windows_style_options(false);
    int exitCode = skerry::cli::kDone;
    skerry::cli::AddTplCommands(app, exitCode);
    skerry::cli::AddResourceCommands(app, exitCode);
    skerry::cli::AddFlagCommands(app, exitCode);
    skerry::cli::AddModelCommands(app, exitCode);
    skerry::cli::AddLevelCommands(app, exitCode);
    try {
        // CLI11 takes the arguments last first, without the program's name.
        std::vector<std::string> arguments = skerry::Utf8Arguments(argc, argv);
        std::reverse(arguments.begin(), arguments.end());
        if (!arguments.empty()) {
            arguments.pop_back();
        }
        app.parse(arguments);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return skerry::cli::kDone;
    } catch (const CLI::ParseError& error) {
        std::cerr << error.what() << '\n';
        return skerry::cli::kBadInput;
    }
    return exitCode;
}
