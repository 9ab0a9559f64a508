#include "tpl_commands.hpp"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/model_bounds.hpp"
#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "editors/finished_template.hpp"
#include "editors/template_checks.hpp"
#include "editors/template_file_checks.hpp"
#include "resources/model_radii.hpp"
#include "resources/picker_order.hpp"
#include "template/catalogue.hpp"
#include "template/new_tpl.hpp"
#include "template/open_template.hpp"
#include "template/param_grid.hpp"
#include "template/template_line.hpp"
#include "template/template_store.hpp"

namespace skerry::cli {

namespace {

// Scans a template file the way the editor does; false (with a message) when it is unusable.
bool ScanFile(TemplateStore& store, const std::string& path) {
    const ScanResult result = store.Scan(path);
    switch (result.status) {
        case ScanResult::Status::Missing:
            std::cerr << kMissingTplFileMessage << '\n';
            return false;
        case ScanResult::Status::Unreadable:
            std::cerr << result.error << '\n';
            return false;
        case ScanResult::Status::Read:
            break;
    }
    if (result.truncated) {
        std::cerr << path << " holds more than " << kTemplateCapacity
                  << " templates; only the first " << kTemplateCapacity << " are used.\n";
    }
    return true;
}

int PrintAll(const std::vector<std::string>& items) {
    for (const std::string& item : items) {
        PrintLine(item);
    }
    return items.empty() ? kNothingFound : kDone;
}

struct Args {
    std::string text, file, name, parent, type, target, line, description, game, staticFile;
    std::vector<std::string> pairs;
    std::vector<std::string> containers;
    bool rows = false;
};

void PrintRows(const ParamGrid& grid) {
    for (const GridRow& row : grid.Rows()) {
        PrintLine(row.name + '\t' + row.description + '\t' + row.value);
    }
}

int Rows(const Args& a) {
    ParamGrid grid;
    if (!LoadGridMain(grid, a.text)) {
        return kNothingFound;
    }
    PrintRows(grid);
    return kDone;
}

int Names(const Args& a) {
    TemplateStore store;
    if (!ScanFile(store, a.file)) {
        return kBadInput;
    }
    std::vector<std::string> names = store.OfferedTemplateNames();
    std::stable_sort(names.begin(), names.end(), [](const std::string& x, const std::string& y) {
        return PickerNameLess(x, y);
    });
    return PrintAll(names);
}

int Find(const Args& a) {
    TemplateStore store;
    if (!ScanFile(store, a.file)) {
        return kBadInput;
    }
    const std::optional<std::string> line = store.Lookup(a.name);
    if (!line) {
        return kNothingFound;
    }
    PrintLine(*line);
    return kDone;
}

int Descendants(const Args& a) {
    TemplateStore store;
    if (!ScanFile(store, a.file)) {
        return kBadInput;
    }
    store.SearchDescendants(a.name);
    std::vector<std::string> names;
    for (const std::string& name : store.Descendants().name) {
        if (!name.empty()) {
            names.push_back(name);
        }
    }
    return PrintAll(names);
}

int Compose(const Args& a) {
    ParamGrid grid;
    if (!LoadGridMain(grid, a.type)) {
        std::cerr << "No template type in \"" << a.type << "\"\n";
        return kBadInput;
    }
    std::vector<ParamSplit> pairs;
    for (const std::string& pair : a.pairs) {
        pairs.push_back(SplitParameter(pair));
        if (!pairs.back().hasEquals) {
            std::cerr << "Not a param=value pair: \"" << pair << "\"\n";
            return kBadInput;
        }
    }
    if (const auto kept = FillParameters(grid, pairs); !kept.empty()) {
        std::cerr << "No row of the " << a.type << " grid is left for \"" << kept.front() << "\"\n";
        return kBadInput;
    }
    PrintLine(ComposeLine(a.name, a.parent, grid));
    return kDone;
}

int Chain(const Args& a) {
    TemplateStore store;
    if (!ScanFile(store, a.file)) {
        return kBadInput;
    }
    const ParentWalk walk = WalkParents(store, a.name);
    if (!walk.ok) {
        std::cerr << walk.error << '\n';
        return kNothingFound;
    }
    for (const std::string& line : walk.ancestorLines) {
        PrintLine(line);
    }
    return kDone;
}

// Opens a template as the editor's Open does, then hands it to show; the exit code says
// whether the file could be used and the walk ended.
int WithOpened(const Args& a, void (*show)(const OpenedTemplate&)) {
    TemplateStore store;
    if (!ScanFile(store, a.file)) {
        return kBadInput;
    }
    const OpenedTemplate opened = OpenTemplate(store, a.name);
    if (!opened.ok) {
        std::cerr << opened.error << '\n';
        return kNothingFound;
    }
    show(opened);
    return kDone;
}

int Open(const Args& a) {
    if (a.rows) {
        return WithOpened(a, [](const OpenedTemplate& opened) { PrintRows(opened.grid); });
    }
    return WithOpened(a, [](const OpenedTemplate& opened) { PrintLine(opened.line); });
}

int Check(const Args& a) {
    return WithOpened(a, [](const OpenedTemplate& opened) {
        for (const std::string& line : DoChecks(opened.grid)) {
            PrintLine(line);
        }
    });
}

Game GameOf(const Args& a) {
    return a.game.empty() ? GameOfFile(a.file) : a.game == "mots" ? Game::Mots : Game::JediKnight;
}

// The game's view of a whole template file or level: exit 1 when it finds anything.
int Lint(const Args& a) {
    const SourceCheck check = CheckTemplateSource(a.file, GameOf(a), a.staticFile);
    if (!check.read) {
        std::cerr << check.error << '\n';
        return kBadInput;
    }
    for (const TemplateFinding& finding : check.findings) {
        PrintLine(std::to_string(finding.line) + '\t' + std::string(finding.code) + '\t' +
                  finding.name + '\t' + finding.message);
    }
    return check.findings.empty() ? kDone : kNothingFound;
}

// The template as the game finishes it: exit 1 when the game drops it.
int Resolve(const Args& a) {
    const SourceFile file = ReadTemplateSource(a.file, a.staticFile);
    if (!file.source) {
        std::cerr << file.error << '\n';
        return kBadInput;
    }
    ModelRadii radii(PathsFromUtf8(a.containers));
    const FinishedTemplate finished =
        FinishTemplate(*file.source, a.name, GameOf(a),
                       [&radii](std::string_view model) { return radii.Radius(model); });
    if (!finished.defined) {
        std::cerr << a.file << " holds no template \"" << a.name << "\"\n";
        return kBadInput;
    }
    if (!finished.dropped.empty()) {
        std::cerr << finished.name << ": the game drops it: " << finished.dropped << '\n';
        return kNothingFound;
    }
    for (const FinishedParam& param : finished.params) {
        PrintLine(param.name + '\t' + param.value + '\t' + param.from);
    }
    for (const std::string& note : finished.notes) {
        std::cerr << finished.name << ": " << note << '\n';
    }
    return kDone;
}

// Save as the editor does it, from SOURCE into TARGET, with the boxes of models found in the
// containers given.
int Put(const Args& a) {
    if (const auto refusal = NameRefusal("template name", a.name)) {
        std::cerr << *refusal << '\n';
        return kBadInput;
    }
    const SaveOutcome outcome = SaveTemplateLine(
        {PathFromUtf8(a.file), PathFromUtf8(a.target), {}, {}}, a.name, a.line,
        [&a] { return a.description; }, ContainerModelBounds(PathsFromUtf8(a.containers)));
    if (!outcome.saved) {
        std::cerr << outcome.error << '\n';
        return kBadInput;
    }
    return kDone;
}

}  // namespace

void AddTplCommands(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<Args>();
    CLI::App* tpl = app.add_subcommand("tpl", "Template files and template lines");
    tpl->require_subcommand(1);
    auto run = [&exitCode, args](int (*command)(const Args&)) {
        return [&exitCode, args, command] { exitCode = command(*args); };
    };

    CLI::App* rows = tpl->add_subcommand("rows", "The grid rows the type words in TEXT load");
    rows->add_option("TEXT", args->text)->required();
    rows->callback(run(Rows));

    // A level serves as a template file too: its templates section is read.
    const std::string source = "A template file, or a level (.jkl)";
    CLI::App* names = tpl->add_subcommand("names", "The template names the picker offers");
    names->add_option("FILE", args->file, source)->required();
    names->callback(run(Names));

    CLI::App* find = tpl->add_subcommand("find", "The line of a template, found by name");
    find->add_option("FILE", args->file, source)->required();
    find->add_option("NAME", args->name)->required();
    find->callback(run(Find));

    CLI::App* descendants =
        tpl->add_subcommand("descendants", "A base template and every template derived from it");
    descendants->add_option("FILE", args->file, source)->required();
    descendants->add_option("BASE", args->name)->required();
    descendants->callback(run(Descendants));

    CLI::App* compose = tpl->add_subcommand("compose", "Compose a template line");
    compose->add_option("NAME", args->name)->required();
    compose->add_option("PARENT", args->parent)->required();
    compose->add_option("TYPE", args->type)->required();
    compose->add_option("PAIRS", args->pairs, "PARAM=VALUE pairs");
    compose->callback(run(Compose));

    CLI::App* chain = tpl->add_subcommand("chain", "The ancestor lines Open shows, parent first");
    chain->add_option("FILE", args->file, source)->required();
    chain->add_option("NAME", args->name)->required();
    chain->callback(run(Chain));

    CLI::App* open = tpl->add_subcommand("open", "The line Save writes right after Open");
    open->add_option("FILE", args->file, source)->required();
    open->add_option("NAME", args->name)->required();
    open->add_flag("--rows", args->rows,
                   "The grid after Open instead, NAME<TAB>DESCRIPTION<TAB>VALUE a row, kept "
                   "fields last");
    open->callback(run(Open));

    CLI::App* check =
        tpl->add_subcommand("check", "The checker's findings for the opened template");
    check->add_option("FILE", args->file, source)->required();
    check->add_option("NAME", args->name)->required();
    check->callback(run(Check));

    CLI::App* lint = tpl->add_subcommand(
        "lint",
        "What the game does otherwise than a template file or level seems to say, "
        "LINE<TAB>CODE<TAB>NAME<TAB>MESSAGE a finding");
    lint->add_option("FILE", args->file, source)->required();
    const std::string gameHelp = "jk or mots; Mots for a file named mots.tpl";
    const std::string staticHelp = "The static level (or template file) the game reads before FILE";
    lint->add_option("--game", args->game, gameHelp)->check(CLI::IsMember({"jk", "mots"}));
    lint->add_option("--static", args->staticFile, staticHelp);
    lint->callback(run(Lint));

    CLI::App* resolve = tpl->add_subcommand(
        "resolve",
        "The template as the game finishes it over its chain, PARAM<TAB>VALUE<TAB>FROM a "
        "parameter in the order the game first sets each");
    resolve->add_option("FILE", args->file, source)->required();
    resolve->add_option("NAME", args->name)->required();
    resolve->add_option("--game", args->game, gameHelp)->check(CLI::IsMember({"jk", "mots"}));
    resolve->add_option("--static", args->staticFile, staticHelp);
    resolve->add_option("--container", args->containers,
                        "A GOB or GOO to read models from for their radius, searched in order");
    resolve->callback(run(Resolve));

    CLI::App* put = tpl->add_subcommand("put", "Rebuild SOURCE into TARGET with a template line");
    put->add_option("SOURCE", args->file)->required();
    put->add_option("TARGET", args->target)->required();
    put->add_option("NAME", args->name)->required();
    put->add_option("LINE", args->line)->required();
    put->add_option("--desc", args->description, "Description of a template new to the file");
    put->add_option("--container", args->containers,
                    "A GOB or GOO to find the template's model in for its # BBOX: line; more "
                    "than one are searched in order");
    put->callback(run(Put));
}

}  // namespace skerry::cli
