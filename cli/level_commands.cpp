#include "level_commands.hpp"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "common/file_path.hpp"
#include "template/level_put.hpp"
#include "tpl_commands.hpp"

namespace skerry::cli {

namespace {

struct Args {
    std::string level, file;
    std::vector<std::string> names;
};

// What went in, a line each: "added" or "replaced", a tab, the template.
int Put(const Args& a) {
    const LevelPutOutcome outcome =
        PutIntoLevelFile(PathFromUtf8(a.level), PathFromUtf8(a.file), a.names);
    if (!outcome.written) {
        std::cerr << outcome.error << '\n';
        return kBadInput;
    }
    for (const std::string& name : outcome.put.added) {
        PrintLine("added\t" + name);
    }
    for (const std::string& name : outcome.put.replaced) {
        PrintLine("replaced\t" + name);
    }
    for (const std::string& warning : outcome.put.warnings) {
        std::cerr << warning << '\n';
    }
    return kDone;
}

}  // namespace

void AddLevelCommands(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<Args>();
    CLI::App* jkl = app.add_subcommand("jkl", "Levels");
    jkl->require_subcommand(1);
    CLI::App* put = jkl->add_subcommand(
        "put",
        "Put templates, with every template they need, into a level's templates section; the "
        "level as it was is kept as LEVEL.bak");
    put->add_option("LEVEL", args->level, "The level (.jkl)")->required();
    put->add_option("TEMPLATEFILE", args->file, "A template file, or a level (.jkl)")->required();
    put->add_option("NAME", args->names, "The templates to put")->required();
    put->callback([&exitCode, args] { exitCode = Put(*args); });
}

}  // namespace skerry::cli
