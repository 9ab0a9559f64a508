#include "template/new_tpl.hpp"

#include <array>

#include "common/file_io.hpp"
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

SaveFiles SaveFilesFor(const Settings& settings, bool append) {
    if (append) {
        return {settings.NewTplPath(), settings.NewTplPath(), settings.OldTplPath(), {}};
    }
    if (settings.motsDialect) {
        return {settings.MotsTplPath(), settings.NewTplPath(), {}, "Cannot find Jed Mots.Tpl file"};
    }
    return {settings.MasterTplPath(), settings.NewTplPath(), {}, "Cannot find Jed Master.Tpl file"};
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
        writes.push_back({files.backup, std::move(*source.bytes)});
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
