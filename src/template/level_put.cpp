#include "template/level_put.hpp"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "common/names.hpp"
#include "template/level_templates.hpp"
#include "template/template_file.hpp"
#include "template/template_index.hpp"
#include "template/template_line.hpp"

namespace skerry {

namespace {

// One template line of the level's section, by its offsets in the level.
struct LevelLine {
    std::size_t start = 0;  // its first byte
    std::size_t end = 0;    // the end of its text
    std::size_t next = 0;   // past its line end
    std::string_view text;
    std::string key;  // its name in lower case
};

std::string_view FirstWord(std::string_view line) {
    const std::size_t start = std::min(line.find_first_not_of(" \t"), line.size());
    const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
    return line.substr(start, end - start);
}

// The line end the level uses, so that lines put in end alike.
std::string_view LineEndOf(std::string_view bytes) {
    const std::size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        return kLineEnd;
    }
    if (bytes[end] == '\n') {
        return "\n";
    }
    return end + 1 < bytes.size() && bytes[end + 1] == '\n' ? "\r\n" : "\r";
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::vector<LevelLine> SectionLines(std::string_view level, std::string_view body) {
    std::vector<LevelLine> lines;
    ForEachTemplateLine(body, [&](std::string_view line) {
        const std::string_view name = FirstWord(line);
        if (IsCommentLine(line) || name.empty()) {
            return;
        }
        LevelLine entry;
        entry.start = static_cast<std::size_t>(line.data() - level.data());
        entry.end = entry.start + line.size();
        entry.next = entry.end;
        if (entry.next < level.size() && level[entry.next] == '\r') {
            ++entry.next;
            if (entry.next < level.size() && level[entry.next] == '\n') {
                ++entry.next;
            }
        } else if (entry.next < level.size() && level[entry.next] == '\n') {
            ++entry.next;
        }
        entry.text = line;
        entry.key = LowerAscii(name);
        lines.push_back(std::move(entry));
    });
    return lines;
}

// A template to put: the template file's line of it, tabs made blanks.
struct Put {
    std::string name;
    std::string line;
};

// The depth-first walk: what a template needs comes before it, its parent first, then the
// templates its fields name, in field order.
class NeedsWalk {
  public:
    NeedsWalk(const TemplateIndex& file, const std::unordered_set<std::string>& inLevel,
              const std::unordered_set<std::string>& named)
        : file_(file), inLevel_(inLevel), named_(named) {}

    // False, with the error set, when a template needed is nowhere to be found.
    bool Visit(std::string_view name) {
        // An explicit stack: a chain may be as long as the file, too deep for the call stack.
        if (!Enter(name, {})) {
            return false;
        }
        while (!stack_.empty()) {
            Frame& top = stack_.back();
            if (top.next < top.needs.size()) {
                // Entering may move the frames, so what is needed and by whom is copied.
                const std::string need = top.needs[top.next++];
                const std::string by = top.put.name;
                if (!Enter(need, by)) {
                    return false;
                }
                continue;
            }
            const bool replace = inLevel_.contains(LowerAscii(top.put.name));
            (replace ? replaced : added).push_back(std::move(top.put));
            stack_.pop_back();
        }
        return true;
    }

    std::vector<Put> added;     // the ones the level lacks, in the order they go in
    std::vector<Put> replaced;  // the named ones the level has
    std::string missing;        // the template found nowhere, and what needs it
    std::string neededBy;

  private:
    struct Frame {
        Put put;
        std::vector<std::string> needs;
        std::size_t next = 0;
    };

    bool Enter(std::string_view name, std::string_view by) {
        std::string key = LowerAscii(name);
        if (!visited_.insert(key).second) {
            return true;
        }
        // A needed template the level has stays as it is, and what it needs is the level's.
        if (inLevel_.contains(key) && !named_.contains(key)) {
            return true;
        }
        const std::optional<std::string_view> line = file_.Find(name);
        if (!line) {
            missing = name;
            neededBy = by;
            return false;
        }
        Frame frame;
        frame.put.line = TabConvert(std::string(*line));
        frame.put.name = FirstWord(frame.put.line);
        for (const std::string_view need : NeededTemplates(frame.put.line)) {
            frame.needs.emplace_back(need);
        }
        stack_.push_back(std::move(frame));
        return true;
    }

    const TemplateIndex& file_;
    const std::unordered_set<std::string>& inLevel_;
    const std::unordered_set<std::string>& named_;
    std::unordered_set<std::string> visited_;
    std::vector<Frame> stack_;
};

struct Edit {
    std::size_t offset = 0;
    std::size_t erase = 0;
    std::string text;
};

std::string ApplyEdits(std::string_view bytes, std::vector<Edit> edits) {
    // An insertion at a line that is also replaced goes in before it: it was listed first.
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.offset < b.offset; });
    std::size_t size = bytes.size();
    for (const Edit& edit : edits) {
        size += edit.text.size();
    }
    std::string out;
    out.reserve(size);
    std::size_t at = 0;
    for (const Edit& edit : edits) {
        out += bytes.substr(at, edit.offset - at);
        out += edit.text;
        at = edit.offset + edit.erase;
    }
    out += bytes.substr(at);
    return out;
}

}  // namespace

LevelPut PutIntoLevel(std::string_view level, std::string_view levelName,
                      std::string_view templateFile, std::string_view templateFileName,
                      const std::vector<std::string>& names) {
    LevelPut put;
    const LevelTemplates section = FindLevelTemplates(level);
    if (!section.found) {
        put.error = NoTemplatesSectionMessage(levelName);
        return put;
    }
    if (section.countLine == 0) {
        put.error = std::string(levelName) +
                    ": its templates section has no \"World templates N\" line to count them";
        return put;
    }
    if (!section.declared) {
        put.error = std::string(levelName) + ": \"World templates " +
                    std::string(section.countText) + "\" gives no count";
        return put;
    }
    std::string_view source = templateFile;
    if (IsLevelFile(templateFileName)) {
        const LevelTemplates other = FindLevelTemplates(templateFile);
        if (!other.found) {
            put.error = NoTemplatesSectionMessage(templateFileName);
            return put;
        }
        source = other.body;
    }
    const TemplateIndex file(source);
    std::string missing;
    for (const std::string& name : names) {
        if (!file.Find(name)) {
            missing += (missing.empty() ? "" : ", ") + Quoted(name);
        }
    }
    if (!missing.empty()) {
        put.error = std::string(templateFileName) + " holds no template " + missing;
        return put;
    }

    const std::vector<LevelLine> lines = SectionLines(level, section.body);
    std::unordered_set<std::string> inLevel;
    for (const LevelLine& line : lines) {
        inLevel.insert(line.key);
    }
    std::unordered_set<std::string> named;
    for (const std::string& name : names) {
        named.insert(LowerAscii(name));
    }
    NeedsWalk walk(file, inLevel, named);
    for (const std::string& name : names) {
        if (!walk.Visit(name)) {
            put.error = Quoted(walk.missing) + ", which " + Quoted(walk.neededBy) +
                        " needs, is in neither " + std::string(levelName) + " nor " +
                        std::string(templateFileName);
            return put;
        }
    }

    // The section's templates as they will read, replaced ones by their new lines.
    std::unordered_map<std::string, const Put*> replacing;
    for (const Put& p : walk.replaced) {
        replacing.emplace(LowerAscii(p.name), &p);
    }
    std::vector<Edit> edits;
    const std::string_view lineEnd = LineEndOf(level);
    std::size_t before = lines.size();  // the template the block goes in before
    if (!walk.added.empty()) {
        std::unordered_set<std::string> adding;
        for (const Put& p : walk.added) {
            adding.insert(LowerAscii(p.name));
        }
        for (std::size_t i = 0; i < lines.size() && before == lines.size(); ++i) {
            const auto replaced = replacing.find(lines[i].key);
            const std::string text = replaced != replacing.end()
                                         ? replaced->second->line
                                         : TabConvert(std::string(lines[i].text));
            for (const std::string_view need : NeededTemplates(text)) {
                if (adding.contains(LowerAscii(need))) {
                    before = i;
                    break;
                }
            }
        }
        const std::size_t offset =
            before < lines.size() ? lines[before].start
            : lines.empty()       ? static_cast<std::size_t>(section.body.data() - level.data())
                                  : lines.back().next;
        Edit block{offset, 0, {}};
        // The last line of a file may end without a line end.
        if (offset > 0 && level[offset - 1] != '\n' && level[offset - 1] != '\r') {
            block.text += lineEnd;
        }
        for (const Put& p : walk.added) {
            block.text += p.line;
            block.text += lineEnd;
            put.added.push_back(p.name);
        }
        edits.push_back(std::move(block));
    }
    for (const Put& p : walk.replaced) {
        put.replaced.push_back(p.name);
    }
    for (const LevelLine& line : lines) {
        if (const auto replaced = replacing.find(line.key); replaced != replacing.end()) {
            edits.push_back({line.start, line.end - line.start, replaced->second->line});
        }
    }
    const std::size_t count = lines.size() + walk.added.size();
    if (*section.declared < count) {
        edits.push_back({static_cast<std::size_t>(section.countText.data() - level.data()),
                         section.countText.size(), std::to_string(count)});
    }
    put.bytes = ApplyEdits(level, std::move(edits));

    // Where each template now stands, to say which put ones still come before what they need.
    std::unordered_map<std::string, std::size_t> firstAt;
    std::vector<std::pair<std::size_t, const Put*>> placed;
    std::size_t position = 0;
    const auto stand = [&](const std::string& key, const Put* p) {
        firstAt.try_emplace(key, position);
        if (p != nullptr) {
            placed.emplace_back(position, p);
        }
        ++position;
    };
    for (std::size_t i = 0; i <= lines.size(); ++i) {
        if (i == before) {
            for (const Put& p : walk.added) {
                stand(LowerAscii(p.name), &p);
            }
        }
        if (i < lines.size()) {
            const auto replaced = replacing.find(lines[i].key);
            stand(lines[i].key, replaced != replacing.end() ? replaced->second : nullptr);
        }
    }
    for (const auto& [at, p] : placed) {
        for (const std::string_view need : NeededTemplates(p->line)) {
            const auto found = firstAt.find(LowerAscii(need));
            if (found != firstAt.end() && found->second >= at) {
                put.warnings.push_back(Quoted(p->name) + " stands before " + Quoted(need) +
                                       ", which it needs: the game builds it without that");
            }
        }
    }
    put.ok = true;
    return put;
}

LevelPutOutcome PutIntoLevelFile(const std::filesystem::path& level,
                                 const std::filesystem::path& templateFile,
                                 const std::vector<std::string>& names) {
    LevelPutOutcome outcome;
    FileBytes levelBytes = ReadFileBytes(level);
    if (!levelBytes.bytes) {
        outcome.error = levelBytes.error;
        return outcome;
    }
    const FileBytes templateBytes = ReadFileBytes(templateFile);
    if (!templateBytes.bytes) {
        outcome.error = templateBytes.error;
        return outcome;
    }
    outcome.put = PutIntoLevel(*levelBytes.bytes, Utf8Of(level), *templateBytes.bytes,
                               Utf8Of(templateFile), names);
    if (!outcome.put.ok) {
        outcome.error = outcome.put.error;
        return outcome;
    }
    outcome.backup = level;
    outcome.backup += ".bak";
    // The level as it was goes beside it first; both are renamed into place together.
    if (const std::optional<std::string> failure = WriteFilesTogether(
            {{outcome.backup, std::move(*levelBytes.bytes)}, {level, outcome.put.bytes}})) {
        outcome.error = *failure;
        return outcome;
    }
    outcome.written = true;
    return outcome;
}

}  // namespace skerry
