// A template file as Open and Save use it: the scan, lookups and descendant searches of names
// found in it, the parent walk and composition of Open, the checker, and the New.tpl rebuild
// with those bytes as the source; and the game's view of the bytes, as a template file and as
// a level, into which their own templates are put; and what the game finishes of each name,
// and of the grid Open fills.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editors/finished_cells.hpp"
#include "editors/finished_template.hpp"
#include "editors/template_checks.hpp"
#include "editors/template_file_checks.hpp"
#include "fuzz_check.hpp"
#include "support/own_fields.hpp"
#include "template/level_put.hpp"
#include "template/new_tpl.hpp"
#include "template/open_template.hpp"
#include "template/template_bounds.hpp"
#include "template/template_file.hpp"
#include "template/template_store.hpp"

using namespace skerry;

namespace {

std::size_t Lines(std::string_view bytes) {
    return SplitTemplateLines(bytes).size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // On the heap: the tables are large, and each input starts from an empty store.
    const auto store = std::make_unique<TemplateStore>();
    store->ScanBytes(bytes);
    const std::vector<std::string> names = store->OfferedTemplateNames();
    FUZZ_REQUIRE(names.size() <= kOfferedTemplates);
    const std::size_t sourceLines = Lines(bytes);
    for (const TemplateFinding& finding : CheckTemplateFile(bytes, Game::JediKnight)) {
        FUZZ_REQUIRE(finding.line >= 1 && finding.line <= sourceLines);
    }
    if (const auto level = CheckLevelTemplates(bytes, Game::Mots)) {
        for (const TemplateFinding& finding : *level) {
            FUZZ_REQUIRE(finding.line >= 1 && finding.line <= sourceLines);
        }
    }

    TemplateSource source;
    source.AddTemplateFile(bytes);
    source.Index(false);
    const ModelRadius radius = [](std::string_view) { return std::optional<std::string>("0.5"); };

    // The first, a middle and the last name: each search walks the whole table.
    std::vector<std::string> picks;
    if (!names.empty()) {
        picks = {names.front(), names[names.size() / 2], names.back()};
    }
    for (const std::string& name : picks) {
        FUZZ_REQUIRE(store->Lookup(name).has_value());
        FUZZ_REQUIRE(store->FoundFields()[0] == name);
        for (const ParamSplit& pair : TemplateParameters(store->FoundFields())) {
            FUZZ_REQUIRE(!pair.name.empty());
        }

        store->SearchDescendants(name);
        FUZZ_REQUIRE(store->Descendants().name[0] == name);
        FUZZ_REQUIRE(store->OfferedDescendantNames().size() <= kOfferedDescendants);

        const FinishedTemplate finished = FinishTemplate(source, name, Game::JediKnight, radius);
        FUZZ_REQUIRE(finished.defined && !finished.chain.empty());

        const OpenedTemplate opened = OpenTemplate(*store, name);
        if (!opened.ok) {
            FUZZ_REQUIRE(!opened.error.empty());
            continue;
        }
        // Open loses nothing: the line Save would write holds every field of the template's
        // own line (but those without a value), as often as it occurs.
        FUZZ_REQUIRE(testing::OwnFields(*store->Lookup(name)) == testing::OwnFields(opened.line));
        DoChecks(opened.grid);
        const FinishedTemplate grid =
            FinishGrid(source, Game::Mots, radius, opened.name, opened.parent, opened.grid);
        const std::size_t fields = GridFields(opened.grid).size();
        for (const UnappliedField& field : grid.unapplied) {
            FUZZ_REQUIRE(field.field < fields && !field.reason.empty());
        }
        FUZZ_REQUIRE(FinishedCells(opened.grid, grid).size() == opened.grid.RowCount());
        // Saving what Open loaded replaces the template's lines in place and keeps the rest.
        const RebuiltTemplateFile rebuilt = RebuildTemplateFile(bytes, name, opened.line);
        FUZZ_REQUIRE(rebuilt.replaced);
        FUZZ_REQUIRE(Lines(rebuilt.bytes) == sourceLines);
    }

    // A name new to the file goes at the end, after its description and box.
    RebuiltTemplateFile added = RebuildTemplateFile(bytes, "fuzzed", "fuzzed none");
    if (!added.replaced) {
        AppendNewTemplate(added, "made by the fuzzer", std::nullopt, "fuzzed none");
        FUZZ_REQUIRE(Lines(added.bytes) == sourceLines + 3);
        FUZZ_REQUIRE(added.bytes.ends_with("\r\n# BBOX: 0 0 0 0 0 0\r\nfuzzed none\r\n"));
    }
    // The box of a model the template inherits, through whatever chain the bytes make.
    for (const std::string& name : picks) {
        const ModelBoundsSource box = [](std::string_view) {
            return ModelBounds{1, 2, 3, 4, 5, 6};
        };
        TemplateBounds("probe " + name, bytes, box);
    }

    // The bytes as a level, with templates of their own put into it: each put goes in whole,
    // and the rest of the level keeps its lines.
    const LevelPut put = PutIntoLevel(bytes, "fuzzed.jkl", bytes, "fuzzed.tpl", picks);
    if (put.ok) {
        FUZZ_REQUIRE(Lines(put.bytes) >= sourceLines + put.added.size());
        FUZZ_REQUIRE(Lines(put.bytes) <= sourceLines + put.added.size() + 1);
    } else {
        FUZZ_REQUIRE(!put.error.empty());
    }
    return 0;
}
