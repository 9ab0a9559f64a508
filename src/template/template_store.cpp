#include "template/template_store.hpp"

#include <unordered_set>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "template/level_templates.hpp"
#include "template/template_file.hpp"

namespace skerry {

namespace {

template <std::size_t N>
std::vector<std::string> NonEmptyNames(const TemplateRecords<N>& records, std::size_t offered) {
    std::vector<std::string> names;
    for (std::size_t k = 0; k < offered && k < N; ++k) {
        if (!records.name[k].empty()) {
            names.push_back(records.name[k]);
        }
    }
    return names;
}

}  // namespace

ScanResult TemplateStore::Scan(const std::string& path) {
    ScanResult result;
    if (!FileExists(PathFromUtf8(path))) {
        result.status = ScanResult::Status::Missing;
        return result;
    }
    FileBytes file = ReadFileBytes(PathFromUtf8(path));
    if (!file.bytes) {
        result.status = ScanResult::Status::Unreadable;
        result.error = file.error;
        return result;
    }
    if (IsLevelFile(path)) {
        const LevelTemplates level = FindLevelTemplates(*file.bytes);
        if (!level.found) {
            result.status = ScanResult::Status::Unreadable;
            result.error = NoTemplatesSectionMessage(path);
            return result;
        }
        return ScanBytes(level.body);
    }
    return ScanBytes(*file.bytes);
}

ScanResult TemplateStore::ScanBytes(std::string_view bytes) {
    ScanResult result;
    ++generation_;
    std::size_t k = 0;
    ForEachTemplateLine(bytes, [&](std::string_view raw) {
        if (IsCommentLine(raw)) {
            return;
        }
        if (k == kTemplateCapacity) {
            result.truncated = true;
            return;
        }
        // Entries are overwritten in place, so a scan after the first reuses their memory.
        std::string& line = templates_.line[k];
        line.assign(raw);
        TabConvertTail(line, 0);
        std::array<std::string_view, 2> head;
        FieldViews(line, head);
        templates_.name[k].assign(head[0]);
        templates_.parent[k].assign(head[1]);
        ++k;
    });
    for (; k < kTemplateCapacity; ++k) {
        templates_.name[k].clear();
        templates_.parent[k].clear();
        templates_.line[k].clear();
    }
    return result;
}

std::optional<std::string> TemplateStore::Lookup(std::string_view name) {
    std::optional<std::string> found;
    for (std::size_t k = 0; k < kTemplateCapacity; ++k) {
        if (templates_.name[k] != name) {
            continue;
        }
        // Lines are stored tab-converted already, so the line is used as it stands.
        found_ = SplitFields(templates_.line[k]);
        found = templates_.line[k];
    }
    return found;
}

void TemplateStore::SearchDescendants(std::string_view base) {
    descendants_.Clear();
    std::size_t n = 0;
    std::unordered_set<std::string> present;
    auto append = [&](std::size_t k) {
        if (n == kDescendantCapacity) {
            return false;
        }
        descendants_.name[n] = templates_.name[k];
        descendants_.parent[n] = templates_.parent[k];
        descendants_.line[n] = templates_.line[k];
        present.insert(templates_.name[k]);
        ++n;
        return true;
    };

    for (std::size_t k = 0; k < kTemplateCapacity; ++k) {
        if (templates_.name[k] == base) {
            append(k);
            break;
        }
    }
    for (std::size_t k = 0; k < kTemplateCapacity; ++k) {
        if (templates_.parent[k] == base && !append(k)) {
            return;
        }
    }
    // Unfilled slots hold empty names, so an empty name always counts as present and the
    // walk never appends one.
    present.insert(std::string());
    for (std::size_t d = 0; d < n && !descendants_.name[d].empty(); ++d) {
        const std::string parentName = descendants_.name[d];
        for (std::size_t k = 0; k < kTemplateCapacity; ++k) {
            if (templates_.parent[k] == parentName && !present.contains(templates_.name[k]) &&
                !append(k)) {
                return;
            }
        }
    }
}

std::vector<std::string> TemplateStore::OfferedTemplateNames() const {
    return NonEmptyNames(templates_, kOfferedTemplates);
}

std::vector<std::string> TemplateStore::OfferedDescendantNames() const {
    return NonEmptyNames(descendants_, kOfferedDescendants);
}

}  // namespace skerry
