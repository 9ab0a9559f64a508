#include "tpl_commands.hpp"

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "resources/picker_order.hpp"
#include "template/catalogue.hpp"
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
    std::string text, file, name, parent, type;
    std::vector<std::string> pairs;
};

int Rows(const Args& a) {
    ParamGrid grid;
    if (!LoadGridMain(grid, a.text)) {
        return kNothingFound;
    }
    for (const GridRow& row : grid.Rows()) {
        PrintLine(row.name + '\t' + row.description + '\t' + row.value);
    }
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
    for (const std::string& pair : a.pairs) {
        const ParamSplit split = SplitParameter(pair);
        if (!split.hasEquals) {
            std::cerr << "Not a param=value pair: \"" << pair << "\"\n";
            return kBadInput;
        }
        if (grid.SetParameter(split.name, split.value) == 0) {
            std::cerr << "No row of the " << a.type << " grid takes \"" << split.name << "\"\n";
            return kBadInput;
        }
    }
    PrintLine(ComposeLine(a.name, a.parent, grid));
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

    CLI::App* names = tpl->add_subcommand("names", "The template names the picker offers");
    names->add_option("FILE", args->file)->required();
    names->callback(run(Names));

    CLI::App* find = tpl->add_subcommand("find", "The line of a template, found by name");
    find->add_option("FILE", args->file)->required();
    find->add_option("NAME", args->name)->required();
    find->callback(run(Find));

    CLI::App* descendants =
        tpl->add_subcommand("descendants", "A base template and every template derived from it");
    descendants->add_option("FILE", args->file)->required();
    descendants->add_option("BASE", args->name)->required();
    descendants->callback(run(Descendants));

    CLI::App* compose = tpl->add_subcommand("compose", "Compose a template line");
    compose->add_option("NAME", args->name)->required();
    compose->add_option("PARENT", args->parent)->required();
    compose->add_option("TYPE", args->type)->required();
    compose->add_option("PAIRS", args->pairs, "PARAM=VALUE pairs");
    compose->callback(run(Compose));
}

}  // namespace skerry::cli
