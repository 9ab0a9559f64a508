#include "editors/template_file_checks.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>

#include "common/file_io.hpp"
#include "common/names.hpp"
#include "editors/flag_kinds.hpp"
#include "template/level_templates.hpp"
#include "template/template_file.hpp"
#include "template/template_index.hpp"
#include "template/template_line.hpp"

namespace skerry {

namespace {

namespace code = finding_code;

// The parameters the game reads; it ignores any other.
constexpr std::string_view kJediKnightParams[] = {
    "type",           "collide",     "move",
    "size",           "thingflags",  "timer",
    "light",          "attach",      "soundclass",
    "model3d",        "sprite",      "surfdrag",
    "airdrag",        "staticdrag",  "mass",
    "height",         "physflags",   "maxrotvel",
    "maxvel",         "vel",         "angvel",
    "typeflags",      "health",      "maxthrust",
    "maxrotthrust",   "jumpspeed",   "weapon",
    "weapon2",        "damage",      "mindamage",
    "damageclass",    "explode",     "frame",
    "numframes",      "puppet",      "blasttime",
    "force",          "maxlight",    "range",
    "flashrgb",       "aiclass",     "cog",
    "respawn",        "material",    "rate",
    "count",          "elementsize", "particle",
    "maxhealth",      "movesize",    "orientspeed",
    "buoyancy",       "eyeoffset",   "minheadpitch",
    "maxheadpitch",   "fireoffset",  "lightoffset",
    "lightintensity", "points",      "debris",
    "creatething",    "trailthing",  "trailcylradius",
    "trailrandangle", "minsize",     "pitchrange",
    "yawrange",       "error",       "fov",
    "chance",         "orient",      "fleshhit",
};
constexpr std::string_view kMotsOnlyParams[] = {"treesize", "respawnfactor"};

// Flag words and resource files (the parameters that name templates are the template files').
constexpr std::string_view kFlagParams[] = {"thingflags", "typeflags", "physflags", "damageclass"};
constexpr std::string_view kFileParams[] = {"model3d", "sprite",  "soundclass", "puppet",
                                            "cog",     "aiclass", "material",   "particle"};

// What the game makes of a parameter, looked up once per field.
struct ParamKind {
    bool motsOnly = false;
    bool reference = false;
    bool flags = false;
    bool file = false;
};

const ParamKind* FindParam(std::string_view key) {
    static const std::unordered_map<std::string_view, ParamKind> kinds = [] {
        std::unordered_map<std::string_view, ParamKind> made;
        for (const std::string_view name : kJediKnightParams) {
            made[name] = {};
        }
        for (const std::string_view name : kMotsOnlyParams) {
            made[name].motsOnly = true;
        }
        for (const std::string_view name : kReferenceParams) {
            made[name].reference = true;
        }
        for (const std::string_view name : kFlagParams) {
            made[name].flags = true;
        }
        for (const std::string_view name : kFileParams) {
            made[name].file = true;
        }
        return made;
    }();
    const auto found = kinds.find(key);
    return found == kinds.end() ? nullptr : &found->second;
}

// The text in lower case: itself when it has no capitals (as nearly always), else a copy
// folded into buffer.
std::string_view Lowered(std::string_view text, std::string& buffer) {
    if (std::none_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) {
        return text;
    }
    buffer = LowerAscii(text);
    return buffer;
}

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

// The fields from the third on, empty ones (trailing blanks) left out.
template <typename Each>
void ForEachParam(std::string_view line, Each&& each) {
    std::size_t index = 0;
    ForEachField(line, [&](std::string_view field) {
        if (index++ >= 2 && !field.empty()) {
            each(field);
        }
        return true;
    });
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

// One template line as the game reads it.
struct Entry {
    std::size_t line = 0;
    std::size_t length = 0;  // of the whole line
    std::string_view text;   // from its first field on
    std::string_view name;
    std::string_view parent;
    bool counted = true;  // false past a level's declared count: the game drops it
};

Entry ReadEntry(std::string_view text, std::size_t line) {
    Entry entry;
    entry.line = line;
    entry.length = text.size();
    // The game splits at any blank, so a line that starts with blanks still names its
    // template first.
    entry.text = text.substr(std::min(text.find_first_not_of(' '), text.size()));
    std::array<std::string_view, 2> head;
    FieldViews(entry.text, head);
    entry.name = head[0];
    entry.parent = head[1];
    return entry;
}

bool IsTemplateLine(std::string_view line) {
    // Comment lines as the template scan skips them; blank lines hold no template.
    return !IsCommentLine(line) && line.find_first_not_of(' ') != std::string_view::npos;
}

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::size_t kMostOfACode = 10;  // findings of one code listed for one line

// The templates of one file and the checks of each against the others.
class Checker {
  public:
    Checker(Game game, bool level)
        : game_(game),
          limits_(LimitsOf(game)),
          level_(level),
          where_(level ? "the level's templates" : "the template file"),
          namesNoTemplate_(" names no template of " + where_) {}

    void Add(Entry entry) { entries_.push_back(entry); }
    std::vector<Entry>& Entries() { return entries_; }

    // The first definition of a name is the one the game keeps; names are read in lower case.
    void Index() {
        firstOf_.reserve(entries_.size());
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].counted && !entries_[i].name.empty()) {
                firstOf_.try_emplace(LowerAscii(entries_[i].name), i);
            }
        }
        parentOf_.assign(entries_.size(), kNone);
        facts_.assign(entries_.size(), {});
        chain_.assign(entries_.size(), {});
        chainState_.assign(entries_.size(), kUnknown);
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const std::size_t parent = Find(entries_[i].parent);
            if (parent != i && (!level_ || parent < i)) {
                parentOf_[i] = parent;
            }
        }
    }

    // Every finding of entry self (kNone: a line that is not in the file).
    void Check(const Entry& entry, std::size_t self, std::vector<TemplateFinding>& out) const {
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
        if (self != kNone) {
            const std::size_t first = Find(entry.name);
            if (first < self) {
                add(code::kDuplicate, Quoted(entry.name) + " is defined on line " +
                                          std::to_string(entries_[first].line) +
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
    void CheckLine(const Entry& entry, Add& add) const {
        if (entry.length > limits_.characters) {
            add(code::kLineTooLong, "the line has " + std::to_string(entry.length) +
                                        " characters; " + std::string(limits_.game) + " reads " +
                                        std::to_string(limits_.characters) +
                                        " and takes the rest for a line of its own");
        }
        // A line with fewer separators than the limit cannot hold too many tokens, and most
        // lines are so: counting the separators is quicker than counting the tokens.
        const auto separators = std::count(entry.text.begin(), entry.text.end(), ' ') +
                                std::count(entry.text.begin(), entry.text.end(), ',');
        if (const std::size_t tokens =
                static_cast<std::size_t>(separators) < limits_.tokens ? 0 : CountTokens(entry.text);
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
    void CheckParent(const Entry& entry, std::size_t self, Add& add) const {
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
        const std::size_t parent = Find(entry.parent);
        if (parent == kNone) {
            add(code::kMissingParent,
                "the parent " + Quoted(entry.parent) + " is not in " + where_);
        } else if (level_ && parent > self) {
            add(code::kParentLater, "the parent " + Quoted(entry.parent) +
                                        " stands later, on line " +
                                        std::to_string(entries_[parent].line) +
                                        ": the game builds this template without it");
        }
    }

    template <typename Add>
    void CheckParams(const Entry& entry, std::size_t self, Add& add) const {
        // What the chain above has set when the game reaches the line's own fields.
        const std::size_t start = self != kNone ? parentOf_[self] : ParentOutside(entry);
        const Facts above = start != kNone ? ChainFactsOf(start) : Facts{};
        bool typeSet = above.setsType;
        bool numframesSet = above.setsNumframes;
        bool typeflagsEarly = false;
        bool frameEarly = false;
        std::string buffer;
        ForEachParam(entry.text, [&](std::string_view field) {
            const ParamView param = SplitParameterView(field);
            if (!param.hasEquals) {
                add(code::kUnknownParam,
                    Quoted(field, " is no param=value pair; the game ignores it"));
                return;
            }
            const std::string_view key = Lowered(param.name, buffer);
            const std::string_view value = param.value;
            const ParamKind* kind = FindParam(key);
            if (kind == nullptr) {
                add(code::kUnknownParam,
                    Quoted(param.name, " is no parameter the game knows; it ignores it"));
                return;
            }
            if (kind->motsOnly && game_ != Game::Mots) {
                add(code::kUnknownParam,
                    Quoted(param.name) + " is a parameter of Mots only; Jedi Knight ignores it");
                return;
            }
            if (key == "type") {
                typeSet |= !value.empty();
            } else if (key == "typeflags" && !typeSet && !typeflagsEarly) {
                typeflagsEarly = true;
                add(code::kOrder, "typeflags comes before type, and the game ignores it there");
            }
            if (key == "numframes") {
                numframesSet = true;
            } else if (key == "frame" && !numframesSet && !frameEarly) {
                frameEarly = true;
                add(code::kOrder, "frame comes before numframes, and the game ignores it there");
            }
            if (kind->flags) {
                if (std::optional<std::string> problem = FlagProblem(field, value)) {
                    add(code::kFlagsNotHex, std::move(*problem));
                }
            }
            if (key == "collide" && !IsCollideValue(value)) {
                add(code::kCollideRange, Quoted(field) + " is none of 0, 1, 2 and 3");
            }
            if (kind->file && value.size() > kLongestName) {
                add(code::kFileNameTooLong, Quoted(value) + " has " + std::to_string(value.size()) +
                                                " characters and the game reads file names of " +
                                                std::to_string(kLongestName));
            }
            if (kind->reference) {
                CheckReference(field, value, self, add);
            }
        });
        if (!typeSet) {
            add(code::kNoType, "no template of its chain sets type, so the game drops it");
        }
    }

    template <typename Add>
    void CheckReference(std::string_view field, std::string_view value, std::size_t self,
                        Add& add) const {
        if (value.empty() || EqualsIgnoringCase(value, "none")) {
            return;
        }
        const std::size_t found = Find(value);
        if (found == kNone) {
            add(code::kMissingReference, Quoted(field, namesNoTemplate_));
        } else if (level_ && found >= self) {
            add(code::kReferenceLater, Quoted(field) + " names the template of line " +
                                           std::to_string(entries_[found].line) +
                                           ", not an earlier one: the game finds nothing");
        }
    }

    // What an entry's own fields set that counts for the templates below it; found once, when
    // a template below asks.
    struct Facts {
        bool known = false;
        bool setsType = false;
        bool setsNumframes = false;
    };
    Facts FactsOf(std::size_t at) const {
        Facts& facts = facts_[at];
        if (!facts.known) {
            facts.known = true;
            std::string buffer;
            ForEachParam(entries_[at].text, [&](std::string_view field) {
                const ParamView param = SplitParameterView(field);
                const std::string_view key = Lowered(param.name, buffer);
                facts.setsType |= param.hasEquals && key == "type" && !param.value.empty();
                facts.setsNumframes |= param.hasEquals && key == "numframes";
            });
        }
        return facts;
    }

    // What an entry and every template above it set, found once for each entry: a file whose
    // templates form one long chain would otherwise be walked again for every one of them. The
    // templates of a loop of parents share what the whole loop sets.
    Facts ChainFactsOf(std::size_t at) const {
        std::vector<std::size_t> path;
        std::size_t next = at;
        while (next != kNone && chainState_[next] == kUnknown) {
            chainState_[next] = kOnPath;
            path.push_back(next);
            next = parentOf_[next];
        }
        Facts base = next != kNone && chainState_[next] == kKnown ? chain_[next] : Facts{};
        std::size_t outside = path.size();  // the path's entries from here on are above the loop
        if (next != kNone && chainState_[next] == kOnPath) {
            outside =
                static_cast<std::size_t>(std::find(path.begin(), path.end(), next) - path.begin());
            for (std::size_t i = outside; i < path.size(); ++i) {
                base = Union(base, FactsOf(path[i]));
            }
            for (std::size_t i = outside; i < path.size(); ++i) {
                chain_[path[i]] = base;
                chainState_[path[i]] = kKnown;
            }
        }
        for (std::size_t i = outside; i-- > 0;) {
            base = Union(base, FactsOf(path[i]));
            chain_[path[i]] = base;
            chainState_[path[i]] = kKnown;
        }
        return chain_[at];
    }
    static Facts Union(Facts a, const Facts& b) {
        a.setsType |= b.setsType;
        a.setsNumframes |= b.setsNumframes;
        return a;
    }

    // The parent of a line not in the file, as the file's templates resolve it.
    std::size_t ParentOutside(const Entry& entry) const {
        return EqualsIgnoringCase(entry.parent, entry.name) ? kNone : Find(entry.parent);
    }

    std::size_t Find(std::string_view name) const {
        if (name.empty()) {
            return kNone;
        }
        std::string buffer;
        const auto found = firstOf_.find(Lowered(name, buffer));
        return found == firstOf_.end() ? kNone : found->second;
    }

    Game game_;
    Limits limits_;
    bool level_;
    std::string where_;
    std::string namesNoTemplate_;
    std::vector<Entry> entries_;
    // Looked up by views, so a lookup copies no name.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };
    std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> firstOf_;
    std::vector<std::size_t> parentOf_;
    mutable std::vector<Facts> facts_;
    mutable std::vector<Facts> chain_;  // what each entry and its chain set
    enum ChainState : std::uint8_t { kUnknown, kOnPath, kKnown };
    mutable std::vector<ChainState> chainState_;
};

// The template lines of text, numbered from firstLine on.
void AddLines(Checker& checker, std::string_view text, std::size_t firstLine) {
    std::size_t number = firstLine;
    ForEachTemplateLine(text, [&](std::string_view line) {
        if (IsTemplateLine(line)) {
            checker.Add(ReadEntry(line, number));
        }
        ++number;
    });
}

std::vector<TemplateFinding> CheckAll(Checker& checker, std::vector<TemplateFinding> findings) {
    checker.Index();
    const std::vector<Entry>& entries = checker.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        checker.Check(entries[i], i, findings);
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

}  // namespace

Game GameOfFile(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return EqualsIgnoringCase(file, "mots.tpl") ? Game::Mots : Game::JediKnight;
}

std::vector<TemplateFinding> CheckTemplateFile(std::string_view bytes, Game game) {
    const std::string text = TabConvert(std::string(bytes));
    Checker checker(game, false);
    AddLines(checker, text, 1);
    return CheckAll(checker, {});
}

std::optional<std::vector<TemplateFinding>> CheckLevelTemplates(std::string_view bytes, Game game) {
    const std::string text = TabConvert(std::string(bytes));
    const LevelTemplates level = FindLevelTemplates(text);
    if (!level.found) {
        return std::nullopt;
    }
    Checker checker(game, true);
    AddLines(checker, level.body, level.bodyFirstLine);
    std::vector<TemplateFinding> findings;
    if (level.countLine == 0) {
        findings.push_back({level.sectionLine,
                            code::kTemplatesCount,
                            {},
                            "no \"World templates N\" line says how many templates follow"});
    } else if (!level.declared) {
        findings.push_back({level.countLine,
                            code::kTemplatesCount,
                            {},
                            Quoted(level.countText) + " is no count of templates"});
    } else if (*level.declared < checker.Entries().size()) {
        // Past the count the game reads no more templates: they define nothing.
        std::vector<Entry>& entries = checker.Entries();
        const std::size_t declared = static_cast<std::size_t>(*level.declared);
        for (std::size_t i = declared; i < entries.size(); ++i) {
            entries[i].counted = false;
        }
        findings.push_back({entries[declared].line, code::kTemplatesCount,
                            std::string(entries[declared].name),
                            "\"World templates " + std::string(level.countText) +
                                "\" ends before this template: the game drops it and the " +
                                std::to_string(entries.size() - declared - 1) + " after it"});
    }
    return CheckAll(checker, std::move(findings));
}

SourceCheck CheckTemplateSource(const std::string& path, Game game) {
    SourceCheck check;
    const FileBytes file = ReadFileBytes(path);
    if (!file.bytes) {
        check.error = file.error;
        return check;
    }
    if (!IsLevelFile(path)) {
        check.findings = CheckTemplateFile(*file.bytes, game);
        check.read = true;
        return check;
    }
    std::optional<std::vector<TemplateFinding>> findings = CheckLevelTemplates(*file.bytes, game);
    if (!findings) {
        check.error = NoTemplatesSectionMessage(path);
        return check;
    }
    check.findings = std::move(*findings);
    check.read = true;
    return check;
}

std::vector<TemplateFinding> CheckOneTemplate(std::string_view line, const TemplateTable& file,
                                              Game game) {
    Checker checker(game, false);
    for (std::size_t k = 0; k < kTemplateCapacity; ++k) {
        if (!file.name[k].empty()) {
            checker.Add(ReadEntry(file.line[k], 0));
        }
    }
    checker.Index();
    const std::string text = TabConvert(std::string(line));
    std::vector<TemplateFinding> findings;
    checker.Check(ReadEntry(text, 0), kNone, findings);
    return findings;
}

}  // namespace skerry
