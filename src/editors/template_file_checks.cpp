#include "editors/template_file_checks.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

#include "common/names.hpp"
#include "editors/finished_template.hpp"
#include "editors/flag_kinds.hpp"
#include "template/level_templates.hpp"
#include "template/template_line.hpp"

namespace skerry {

namespace {

namespace code = finding_code;

// Template names and resource file names (with their extension) alike.
constexpr std::size_t kLongestName = 31;
// Messages show a name whole up to a little past that.
constexpr std::size_t kShownName = 40;

struct Limits {
    std::size_t characters;
    std::size_t tokens;
    std::string_view game;
};

Limits LimitsOf(Game game) {
    return game == Game::Mots ? Limits{2048, 256, "Mots"} : Limits{1024, 128, "Jedi Knight"};
}

// A name or field in quotes, a long one cut short, and the rest of the message: made in one
// piece, since a file may give thousands.
std::string Quoted(std::string_view text, std::string_view after = {}) {
    if (text.size() > kShownName) {
        return "\"" + Shown(text, kShownName) + "\"" + std::string(after);
    }
    std::string quoted;
    quoted.reserve(text.size() + 2 + after.size());
    quoted += '"';
    quoted += text;
    quoted += '"';
    quoted += after;
    return quoted;
}

// Blanks and commas. A line holds few: searching for them is several times faster than
// testing every byte.
std::size_t CountSeparators(std::string_view line) {
    std::size_t count = 0;
    for (const char separator : {' ', ','}) {
        for (std::size_t at = line.find(separator); at != std::string_view::npos;
             at = line.find(separator, at + 1)) {
            ++count;
        }
    }
    return count;
}

// The game splits a line into tokens at blanks, tabs and commas.
std::size_t CountTokens(std::string_view line) {
    std::size_t tokens = 0;
    bool separated = true;
    for (const char c : line) {
        const bool separator = c == ' ' || c == '\t' || c == ',';
        tokens += static_cast<std::size_t>(!separator && separated);
        separated = separator;
    }
    return tokens;
}

bool AllOf(std::string_view text, const char* digits) {
    return !text.empty() && text.find_first_not_of(digits) == std::string_view::npos;
}

// Why the game reads the flag value of a field other than it seems written, if it does.
std::optional<std::string> FlagProblem(std::string_view field, std::string_view value) {
    constexpr const char* kHex = "0123456789abcdefABCDEF";
    if (value.starts_with("0x") || value.starts_with("0X")) {
        if (AllOf(value.substr(2), kHex)) {
            return std::nullopt;
        }
        return Quoted(field) + " is no hexadecimal number";
    }
    if (!AllOf(value, kHex)) {
        return Quoted(field) + " is no hexadecimal number";
    }
    const std::string_view significant =
        value.substr(std::min(value.find_first_not_of('0'), value.size()));
    if (!AllOf(significant, "0123456789") || significant.size() < 2) {
        return std::nullopt;  // hex digits with a letter say what they mean; 0 to 9 read alike
    }
    std::string message = Quoted(field) + " is read as hexadecimal, 0x" + Shown(significant);
    std::uint32_t decimal = 0;
    const auto [end, error] =
        std::from_chars(significant.data(), significant.data() + significant.size(), decimal);
    if (error == std::errc() && end == significant.data() + significant.size()) {
        message += "; " + std::string(significant) + " is written " +
                   TrimHex(HexDigits(FlagStyle::Bits, decimal));
    }
    return message;
}

bool IsCollideValue(std::string_view value) {
    return value.size() == 1 && value[0] >= '0' && value[0] <= '3';
}

constexpr std::size_t kMostOfACode = 10;  // findings of one code listed for one line

// The checks of each template of a source against the others, on one application of the
// whole source by the game's rules.
class Checker {
  public:
    Checker(const TemplateSource& source, Game game, bool level)
        : source_(source),
          resolver_(source, game),
          limits_(LimitsOf(game)),
          level_(level),
          where_(level ? "the level's templates" : "the template file"),
          namesNoTemplate_(" names no template of " + where_) {}

    // Every finding of a template (self kNoTemplate: a line that is not in the source).
    void Check(const SourceTemplate& entry, std::size_t self, std::vector<TemplateFinding>& out) {
        // A line of a megabyte may hold half a million bad fields: a few of each code are
        // listed, and the rest counted in one more.
        std::vector<std::pair<std::string_view, std::size_t>> counts;
        auto add = [&](std::string_view code, std::string message) {
            auto counted = std::find_if(counts.begin(), counts.end(),
                                        [code](const auto& c) { return c.first == code; });
            if (counted == counts.end()) {
                counted = counts.insert(counted, {code, 0});
            }
            if (++counted->second <= kMostOfACode) {
                out.push_back({entry.line, code, std::string(entry.name), std::move(message)});
            }
        };
        CheckLine(entry, add);
        if (self != kNoTemplate) {
            const std::size_t first = source_.Find(entry.name);
            if (first < self && source_.At(first).fromStatic) {
                add(code::kDuplicate, source_.staticName + " defines " + Quoted(entry.name) +
                                          " first; the game keeps that one");
            } else if (first < self) {
                add(code::kDuplicate, Quoted(entry.name) + " is defined on line " +
                                          std::to_string(source_.At(first).line) +
                                          " already: the game keeps that one, Open shows the "
                                          "last");
            }
        }
        CheckParent(entry, self, add);
        CheckParams(entry, self, add);
        for (const auto& [code, count] : counts) {
            if (count > kMostOfACode) {
                out.push_back({entry.line, code, std::string(entry.name),
                               "and " + std::to_string(count - kMostOfACode) +
                                   " more of these on this line"});
            }
        }
    }

  private:
    template <typename Add>
    void CheckLine(const SourceTemplate& entry, Add& add) const {
        if (entry.length > limits_.characters) {
            add(code::kLineTooLong, "the line has " + std::to_string(entry.length) +
                                        " characters; " + std::string(limits_.game) + " reads " +
                                        std::to_string(limits_.characters) +
                                        " and takes the rest for a line of its own");
        }
        // A line with fewer separators than the limit cannot hold too many tokens, and most
        // lines are so: counting the separators is quicker than counting the tokens.
        if (const std::size_t tokens =
                CountSeparators(entry.text) < limits_.tokens ? 0 : CountTokens(entry.text);
            tokens > limits_.tokens) {
            add(code::kTooManyTokens, "the line has " + std::to_string(tokens) + " tokens; " +
                                          std::string(limits_.game) + " reads " +
                                          std::to_string(limits_.tokens) + " a line");
        }
        if (entry.name.size() > kLongestName) {
            std::string message = "the name has " + std::to_string(entry.name.size()) +
                                  " characters and the game keeps " + std::to_string(kLongestName);
            if (entry.parent.empty() && entry.name.size() > kHeadColumn) {
                message += ": a name of " + std::to_string(kHeadColumn) +
                           " characters runs into its parent unless a blank follows it";
            }
            add(code::kNameTooLong, message);
        }
    }

    template <typename Add>
    void CheckParent(const SourceTemplate& entry, std::size_t self, Add& add) const {
        if (entry.parent.empty()) {
            add(code::kMissingParent, "names no parent; a template without one names \"none\"");
            return;
        }
        if (EqualsIgnoringCase(entry.parent, "none")) {
            return;
        }
        if (EqualsIgnoringCase(entry.parent, entry.name)) {
            add(code::kMissingParent, "names itself as its parent");
            return;
        }
        const std::size_t parent = source_.Find(entry.parent);
        if (parent == kNoTemplate) {
            add(code::kMissingParent,
                "the parent " + Quoted(entry.parent) + " is not in " + where_);
        } else if (level_ && parent > self) {
            add(code::kParentLater, "the parent " + Quoted(entry.parent) +
                                        " stands later, on line " +
                                        std::to_string(source_.At(parent).line) +
                                        ": the game builds this template without it");
        }
    }

    template <typename Add>
    void CheckParams(const SourceTemplate& entry, std::size_t self, Add& add) {
        const OwnResolution& own =
            self != kNoTemplate
                ? resolver_.Apply(self)
                : resolver_.ApplyOutside(entry.name, entry.parent, OwnFieldsOfLine(entry.text));
        // What a template the game drops does with its fields matters no more.
        const bool dropped = own.type == nullptr;
        for (const FieldOutcome& field : own.fields) {
            const ParamView& param = field.param;
            switch (field.fate) {
                case FieldFate::NoPair:
                    add(code::kUnknownParam,
                        Quoted(field.field, " is no param=value pair; the game ignores it"));
                    continue;
                case FieldFate::Unknown:
                    add(code::kUnknownParam,
                        Quoted(param.name, " is no parameter the game knows; it ignores it"));
                    continue;
                case FieldFate::MotsOnly:
                    add(code::kUnknownParam, Quoted(param.name) +
                                                 " is a parameter of Mots only; Jedi Knight "
                                                 "ignores it");
                    continue;
                case FieldFate::Applied:
                case FieldFate::OutOfRange:  // told by collide-range
                case FieldFate::NotHex:      // told by flags-not-hex
                    break;
                case FieldFate::NoTypeYet:
                case FieldFate::NoNumframes:
                    if (!dropped) {
                        add(field.ruleComesLater ? code::kOrder : code::kNotApplied,
                            FieldReason(field, own));
                    }
                    break;
                default:
                    if (!dropped) {
                        add(code::kNotApplied, FieldReason(field, own));
                    }
                    break;
            }
            const GameParam& kind = *field.kind;
            const std::string_view value = param.value;
            if (kind.flags) {
                if (std::optional<std::string> problem = FlagProblem(field.field, value)) {
                    add(code::kFlagsNotHex, std::move(*problem));
                }
            }
            if (kind.name == "collide" && !IsCollideValue(value)) {
                add(code::kCollideRange, Quoted(field.field) + " is none of 0, 1, 2 and 3");
            }
            if (kind.file && value.size() > kLongestName) {
                add(code::kFileNameTooLong, Quoted(value) + " has " + std::to_string(value.size()) +
                                                " characters and the game reads file names of " +
                                                std::to_string(kLongestName));
            }
            if (kind.reference) {
                CheckReference(field.field, value, self, add);
            }
        }
        if (dropped) {
            add(code::kNoType, own.typeField.empty()
                                   ? std::string("no template of its chain sets type, so the "
                                                 "game drops it")
                                   : NoTypeReason(own) + ", so the game drops it");
        }
    }

    template <typename Add>
    void CheckReference(std::string_view field, std::string_view value, std::size_t self,
                        Add& add) const {
        if (value.empty() || EqualsIgnoringCase(value, "none")) {
            return;
        }
        const std::size_t found = source_.Find(value);
        if (found == kNoTemplate) {
            add(code::kMissingReference, Quoted(field, namesNoTemplate_));
        } else if (level_ && found >= self) {
            add(code::kReferenceLater, Quoted(field) + " names the template of line " +
                                           std::to_string(source_.At(found).line) +
                                           ", not an earlier one: the game finds nothing");
        }
    }

    const TemplateSource& source_;
    Resolver resolver_;
    Limits limits_;
    bool level_;
    std::string where_;
    std::string namesNoTemplate_;
};

// The findings of every template of the source but the static level's, in line order.
std::vector<TemplateFinding> CheckAll(const TemplateSource& source, Game game, bool level,
                                      std::vector<TemplateFinding> findings) {
    Checker checker(source, game, level);
    for (std::size_t i = 0; i < source.Size(); ++i) {
        if (!source.At(i).fromStatic) {
            checker.Check(source.At(i), i, findings);
        }
    }
    // Only a level's count findings can stand before those of earlier lines.
    const auto byLine = [](const TemplateFinding& a, const TemplateFinding& b) {
        return a.line < b.line;
    };
    if (!std::is_sorted(findings.begin(), findings.end(), byLine)) {
        std::stable_sort(findings.begin(), findings.end(), byLine);
    }
    return findings;
}

// What the count line of a level's templates section says against the templates after it.
std::vector<TemplateFinding> CountFindings(const LevelTemplates& level,
                                           const TemplateSource& source) {
    std::vector<TemplateFinding> findings;
    if (level.countLine == 0) {
        findings.push_back({level.sectionLine,
                            code::kTemplatesCount,
                            {},
                            "no \"World templates N\" line says how many templates follow"});
        return findings;
    }
    if (!level.declared) {
        findings.push_back({level.countLine,
                            code::kTemplatesCount,
                            {},
                            Quoted(level.countText) + " is no count of templates"});
        return findings;
    }
    const std::vector<SourceTemplate>& entries = source.Templates();
    const auto first = std::find_if(entries.begin(), entries.end(), [](const SourceTemplate& t) {
        return !t.fromStatic && !t.counted;
    });
    if (first != entries.end()) {
        const std::size_t after = static_cast<std::size_t>(entries.end() - first) - 1;
        findings.push_back({first->line, code::kTemplatesCount, std::string(first->name),
                            "\"World templates " + std::string(level.countText) +
                                "\" ends before this template: the game drops it and the " +
                                std::to_string(after) + " after it"});
    }
    return findings;
}

}  // namespace

Game GameOfFile(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return EqualsIgnoringCase(file, "mots.tpl") ? Game::Mots : Game::JediKnight;
}

std::vector<TemplateFinding> CheckTemplateFile(std::string_view bytes, Game game) {
    TemplateSource source;
    source.AddTemplateFile(bytes);
    source.Index(false);
    return CheckAll(source, game, false, {});
}

std::optional<std::vector<TemplateFinding>> CheckLevelTemplates(std::string_view bytes, Game game) {
    TemplateSource source;
    const std::optional<LevelTemplates> level = source.AddLevel(bytes);
    if (!level) {
        return std::nullopt;
    }
    source.Index(true);
    return CheckAll(source, game, true, CountFindings(*level, source));
}

SourceCheck CheckTemplateSource(const std::string& path, Game game, const std::string& staticPath) {
    SourceCheck check;
    const SourceFile file = ReadTemplateSource(path, staticPath);
    if (!file.source) {
        check.error = file.error;
        return check;
    }
    const bool level = file.level.has_value();
    check.findings =
        CheckAll(*file.source, game, level,
                 level ? CountFindings(*file.level, *file.source) : std::vector<TemplateFinding>{});
    check.read = true;
    return check;
}

std::vector<TemplateFinding> CheckOneTemplate(std::string_view line, const TemplateTable& file,
                                              Game game) {
    TemplateSource source;
    source.AddTable(file);
    source.Index(false);
    Checker checker(source, game, false);
    const std::string text = TabConvert(std::string(line));
    std::vector<TemplateFinding> findings;
    checker.Check(ReadSourceLine(text), kNoTemplate, findings);
    return findings;
}

}  // namespace skerry
