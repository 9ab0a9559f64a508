#include "template/new_tpl.hpp"

#include <array>
#include <unordered_set>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "template/template_file.hpp"
#include "template/template_line.hpp"

namespace skerry {

RebuiltTemplateFile RebuildTemplateFile(std::string_view source, std::string_view name,
                                        std::string_view line, const TemplateBoundsOnce& bounds) {
    RebuiltTemplateFile file;
    file.bytes.reserve(source.size() + line.size() + 64);
    std::size_t previous = std::string::npos;  // where the line before starts
    ForEachTemplateLine(source, [&](std::string_view raw) {
        std::size_t at = file.bytes.size();
        file.bytes += raw;
        TabConvertTail(file.bytes, at);
        std::array<std::string_view, 1> first;
        FieldViews(std::string_view(file.bytes).substr(at), first);
        if (first[0] == name) {
            file.bytes.resize(at);
            const std::string_view above =
                previous == std::string::npos
                    ? std::string_view()
                    : std::string_view(file.bytes)
                          .substr(previous, at - previous - kLineEnd.size());
            if (IsBboxLine(above) && bounds) {
                // Without a box the line stays as it was.
                if (const std::optional<ModelBounds> box = bounds()) {
                    file.bytes.resize(previous);
                    file.bytes += BboxLine(box);
                    file.bytes += kLineEnd;
                    at = file.bytes.size();
                }
            }
            file.bytes += line;
            file.replaced = true;
        }
        file.bytes += kLineEnd;
        previous = at;
    });
    return file;
}

std::string DescriptionAbove(std::string_view file, std::string_view name) {
    std::string description;
    std::string_view previous;
    ForEachTemplateLine(file, [&](std::string_view raw) {
        if (!IsCommentLine(raw)) {
            const std::string line = TabConvert(std::string(raw));
            std::array<std::string_view, 1> first;
            FieldViews(line, first);
            if (first[0] == name) {
                description = previous.starts_with(kDescriptionPrefix)
                                  ? std::string(previous.substr(kDescriptionPrefix.size()))
                                  : std::string();
            }
        }
        previous = raw;
    });
    return description;
}

void AppendNewTemplate(RebuiltTemplateFile& file, std::string_view description,
                       const std::optional<ModelBounds>& bounds, std::string_view line) {
    file.bytes += kDescriptionPrefix;
    file.bytes += description;
    file.bytes += kLineEnd;
    file.bytes += BboxLine(bounds);
    file.bytes += kLineEnd;
    file.bytes += line;
    file.bytes += kLineEnd;
}

std::optional<std::string> NameRefusal(std::string_view what, std::string_view name) {
    if (name.empty()) {
        return "The " + std::string(what) + " is empty.";
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '#' || c == ',') {
            // The scan (and the game) would take the rest of the line for a comment, or the
            // game would split the name in two.
            return "The " + std::string(what) + " \"" + std::string(name) + "\" holds \"" +
                   std::string(1, c) + "\", which " +
                   (c == '#' ? "begins a comment" : "the game reads as a blank") +
                   " in a template file.";
        }
        std::string problem;
        if (c == ' ') {
            problem = "a blank";
        } else if (c == '\t') {
            problem = "a tab";
        } else if (byte < 32 || byte == 127) {
            problem = "a control character (byte " + std::to_string(byte) + ")";
        } else {
            continue;
        }
        return "The " + std::string(what) + " \"" + std::string(name) + "\" holds " + problem +
               "; a name is one word.";
    }
    return std::nullopt;
}

std::optional<std::string> SaveRefusal(std::string_view name, std::string_view parent) {
    if (name == kTplNamePlaceholder) {
        return "Template \"Name\" Not Set";
    }
    if (parent == kBasedOnPlaceholder) {
        return "Template \"Based on\" Not set";
    }
    if (auto problem = NameRefusal("template name", name)) {
        return problem;
    }
    return NameRefusal("parent name", parent);
}

SaveFiles SaveFilesFor(const Settings& settings, SaveKind kind) {
    if (kind == SaveKind::Append) {
        return {PathFromUtf8(settings.NewTplPath()),
                PathFromUtf8(settings.NewTplPath()),
                PathFromUtf8(settings.OldTplPath()),
                {}};
    }
    SaveFiles files{
        PathFromUtf8(settings.JedTemplatePath()),
        PathFromUtf8(settings.NewTplPath()),
        {},
        settings.motsDialect ? "Cannot find Jed Mots.Tpl file" : "Cannot find Jed Master.Tpl file"};
    if (kind == SaveKind::SaveKeepingOld && FileExists(files.newTpl)) {
        files.backup = settings.OldTplPath();
    }
    return files;
}

std::string DropQuestion(const std::vector<std::string>& names, std::string_view jedFile) {
    constexpr std::size_t kNamed = 8;  // a longer list would not fit a question
    std::string list;
    for (std::size_t i = 0; i < names.size() && i < kNamed; ++i) {
        list += (i == 0 ? "" : ", ") + names[i];
    }
    if (names.size() > kNamed) {
        list += " and " + std::to_string(names.size() - kNamed) + " more";
    }
    const bool one = names.size() == 1;
    const std::string file(jedFile);
    return "New.tpl holds " + std::to_string(names.size()) +
           (one ? " template that is" : " templates that are") + " not in " + file + " (" + list +
           "). Save starts New.tpl again from " + file + " and drops " + (one ? "it." : "them.");
}

std::vector<std::string> TemplatesOnlyIn(std::string_view newTpl, std::string_view source,
                                         std::string_view except) {
    const auto names = [](std::string_view bytes) {
        std::vector<std::string> found;
        ForEachTemplateLine(bytes, [&](std::string_view raw) {
            if (IsCommentLine(raw)) {
                return;
            }
            const std::string line = TabConvert(std::string(raw));
            std::array<std::string_view, 1> first;
            FieldViews(line, first);
            if (!first[0].empty()) {
                found.emplace_back(first[0]);
            }
        });
        return found;
    };
    const std::vector<std::string> inSource = names(source);
    const std::unordered_set<std::string_view> known(inSource.begin(), inSource.end());
    std::unordered_set<std::string> listed;
    std::vector<std::string> only;
    for (std::string& name : names(newTpl)) {
        if (name != except && !known.contains(name) && listed.insert(name).second) {
            only.push_back(std::move(name));
        }
    }
    return only;
}

SaveOutcome SaveTemplateLine(const SaveFiles& files, std::string_view name, std::string_view line,
                             const DescriptionSource& describe, const ModelBoundsSource& bounds) {
    SaveOutcome outcome;
    if (!files.missingSourceMessage.empty() && !FileExists(files.source)) {
        outcome.error = files.missingSourceMessage;
        return outcome;
    }
    FileBytes source = ReadFileBytes(files.source);
    if (!source.bytes) {
        outcome.error = source.error;
        return outcome;
    }
    // The model is read once, and only when a box is written.
    std::optional<std::optional<ModelBounds>> box;
    const TemplateBoundsOnce boxOnce = [&] {
        if (!box) {
            box = TemplateBounds(line, *source.bytes, bounds);
        }
        return *box;
    };
    RebuiltTemplateFile rebuilt = RebuildTemplateFile(*source.bytes, name, line, boxOnce);
    if (!rebuilt.replaced) {
        AppendNewTemplate(rebuilt, describe ? describe() : std::string(), boxOnce(), line);
        outcome.added = true;
    }
    std::vector<FileWrite> writes;
    if (!files.backup.empty()) {
        // The New.tpl about to be replaced; for Append that is the source itself.
        if (files.source == files.newTpl) {
            writes.push_back({files.backup, std::move(*source.bytes)});
        } else {
            FileBytes replaced = ReadFileBytes(files.newTpl);
            if (!replaced.bytes) {
                outcome.error = replaced.error;
                return outcome;
            }
            writes.push_back({files.backup, std::move(*replaced.bytes)});
        }
    }
    writes.push_back({files.newTpl, std::move(rebuilt.bytes)});
    if (const std::optional<std::string> failure = WriteFilesTogether(writes)) {
        outcome.error = *failure;
        return outcome;
    }
    outcome.saved = true;
    return outcome;
}

}  // namespace skerry
