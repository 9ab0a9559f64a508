#include "flag_commands.hpp"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "editors/flag_editor.hpp"
#include "tpl_commands.hpp"

namespace skerry::cli {

namespace {

struct Args {
    std::string key;
    std::vector<long long> indexes;
};

int Flags(const Args& a) {
    FlagEditor editor;
    if (!editor.GetFlag(a.key)) {
        std::cerr << "No flag kind \"" << a.key << "\"\n";
        return kBadInput;
    }
    if (a.indexes.empty()) {
        PrintLine(editor.Title());
        for (std::size_t i = 0; i < editor.List().size(); ++i) {
            PrintLine(std::to_string(i) + '\t' + editor.List()[i].caption);
        }
        return kDone;
    }
    for (const long long index : a.indexes) {
        if (index < 0 || index >= static_cast<long long>(kFlagEntryCount)) {
            std::cerr << "No entry " << index << "; entries run from 0 to " << kFlagEntryCount - 1
                      << '\n';
            return kBadInput;
        }
        editor.SetTicked(static_cast<std::size_t>(index), true);
    }
    const FlagPress press = editor.PressFlag();
    switch (press.outcome) {
        case FlagPress::Outcome::Value:
            PrintLine(press.text);
            return kDone;
        case FlagPress::Outcome::MoreThanOne:
            std::cerr << kMoreThanOneBitMessage << '\n';
            return kNothingFound;
        case FlagPress::Outcome::NothingTicked:
            break;
    }
    std::cerr << kChooseFlagMessage << '\n';
    return kNothingFound;
}

}  // namespace

void AddFlagCommands(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<Args>();
    CLI::App* flags = app.add_subcommand(
        "flags", "A flag kind's title and 32 entries, or the flag text of the INDEXes ticked");
    flags
        ->add_option("KEY", args->key,
                     "actor, damage, explosion, item, particle, physics, thing or weapon")
        ->required();
    flags->add_option("INDEX", args->indexes, "entries to tick, 0 to 31");
    flags->callback([&exitCode, args] { exitCode = Flags(*args); });
}

}  // namespace skerry::cli
