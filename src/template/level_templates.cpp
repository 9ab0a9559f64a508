#include "template/level_templates.hpp"

#include <algorithm>
#include <array>
#include <charconv>

#include "common/names.hpp"
#include "template/template_file.hpp"

namespace skerry {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The first words of a line, split at blanks as the game splits them; missing ones are empty.
// Every line of a level up to its templates comes through here, so the bytes are walked
// plainly: find_first_of over a set of two is several times slower.
std::array<std::string_view, 3> FirstWords(std::string_view line) {
    std::array<std::string_view, 3> words;
    std::size_t at = 0;
    for (std::string_view& word : words) {
        while (at < line.size() && IsBlank(line[at])) {
            ++at;
        }
        if (at == line.size()) {
            break;
        }
        const std::size_t start = at;
        while (at < line.size() && !IsBlank(line[at])) {
            ++at;
        }
        word = line.substr(start, at - start);
    }
    return words;
}

bool IsSectionLine(const std::array<std::string_view, 3>& words) {
    return EqualsIgnoringCase(words[0], "section:");
}

std::optional<std::uint64_t> Count(std::string_view text) {
    std::uint64_t count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return count;
}

}  // namespace

LevelTemplates FindLevelTemplates(std::string_view bytes) {
    LevelTemplates level;
    enum class At { Before, Header, Body, Done } at = At::Before;
    std::size_t number = 0;
    std::size_t bodyStart = 0;
    std::size_t bodyEnd = 0;
    ForEachTemplateLine(bytes, [&](std::string_view line) {
        ++number;
        if (at == At::Done) {
            return;
        }
        if (at == At::Before) {
            // Most of a level comes before its templates, and there only a "Section:" line
            // counts: a line that starts otherwise is passed by without splitting it.
            std::size_t first = 0;
            while (first < line.size() && IsBlank(line[first])) {
                ++first;
            }
            if (first == line.size() || FoldAscii(line[first]) != 's') {
                return;
            }
        }
        const std::size_t offset = static_cast<std::size_t>(line.data() - bytes.data());
        const auto words = FirstWords(line);
        const bool comment = words[0].empty() || words[0].starts_with('#');
        if (at == At::Before) {
            if (IsSectionLine(words) && EqualsIgnoringCase(words[1], "templates")) {
                level.found = true;
                level.sectionLine = number;
                at = At::Header;
                bodyStart = offset + line.size();
                level.bodyFirstLine = number + 1;
            }
            return;
        }
        if (at == At::Header && !comment) {
            at = At::Body;
            if (EqualsIgnoringCase(words[0], "world") &&
                EqualsIgnoringCase(words[1], "templates")) {
                level.countLine = number;
                level.countText = words[2];
                level.declared = Count(words[2]);
                bodyStart = offset + line.size();
                level.bodyFirstLine = number + 1;
                return;
            }
        }
        if (EqualsIgnoringCase(words[0], "end") || IsSectionLine(words)) {
            bodyEnd = offset;
            at = At::Done;
        }
    });
    if (!level.found) {
        return level;
    }
    if (at != At::Done) {
        bodyEnd = bytes.size();
    }
    // The body starts after the line end that closes the header or count line.
    if (bodyStart < bodyEnd && (bytes[bodyStart] == '\r' || bytes[bodyStart] == '\n')) {
        const bool crlf =
            bytes[bodyStart] == '\r' && bodyStart + 1 < bodyEnd && bytes[bodyStart + 1] == '\n';
        bodyStart += crlf ? 2 : 1;
    }
    level.body = bytes.substr(bodyStart, bodyEnd - std::min(bodyStart, bodyEnd));
    return level;
}

std::string NoTemplatesSectionMessage(std::string_view path) {
    return std::string(path) + " holds no templates section (\"Section: TEMPLATES\")";
}

bool IsLevelFile(std::string_view path) {
    return path.size() >= 4 && EqualsIgnoringCase(path.substr(path.size() - 4), ".jkl");
}

}  // namespace skerry
