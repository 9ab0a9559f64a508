#include "editors/finished_template.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <tuple>
#include <unordered_map>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "common/names.hpp"
#include "template/template_file.hpp"

namespace skerry {

// --- the source -------------------------------------------------------------------------------

namespace {

bool IsTemplateLine(std::string_view line) {
    // Comment lines as the template scan skips them; blank lines hold no template.
    return !IsCommentLine(line) && line.find_first_not_of(' ') != std::string_view::npos;
}

}  // namespace

SourceTemplate ReadSourceLine(std::string_view text, std::size_t line, bool fromStatic) {
    SourceTemplate entry;
    entry.line = line;
    entry.length = text.size();
    // The game splits at any blank, so a line that starts with blanks still names its
    // template first.
    entry.text = text.substr(std::min(text.find_first_not_of(' '), text.size()));
    std::array<std::string_view, 2> head;
    FieldViews(entry.text, head);
    entry.name = head[0];
    entry.parent = head[1];
    entry.fromStatic = fromStatic;
    return entry;
}

namespace {

// The text in lower case: itself when it has no capitals (as nearly always), else a copy
// folded into buffer.
std::string_view Lowered(std::string_view text, std::string& buffer) {
    if (std::none_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) {
        return text;
    }
    buffer = LowerAscii(text);
    return buffer;
}

// The fields from the third on, empty ones (trailing blanks) left out.
template <typename Each>
void ForEachOwnField(std::string_view line, Each&& each) {
    std::size_t index = 0;
    ForEachField(line, [&](std::string_view field) {
        if (index++ >= 2 && !field.empty()) {
            each(field);
        }
        return true;
    });
}

std::string FileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

std::string_view TemplateSource::Keep(std::string text) {
    texts_.push_back(std::make_unique<std::string>(std::move(text)));
    return *texts_.back();
}

void TemplateSource::AddLines(std::string_view text, std::size_t firstLine, bool fromStatic) {
    std::size_t number = firstLine;
    ForEachTemplateLine(text, [&](std::string_view line) {
        if (IsTemplateLine(line)) {
            templates_.push_back(ReadSourceLine(line, number, fromStatic));
        }
        ++number;
    });
}

void TemplateSource::AddTemplateFile(std::string_view bytes, bool fromStatic) {
    AddLines(Keep(TabConvert(std::string(bytes))), 1, fromStatic);
}

std::optional<LevelTemplates> TemplateSource::AddLevel(std::string_view bytes, bool fromStatic) {
    const LevelTemplates level = FindLevelTemplates(Keep(TabConvert(std::string(bytes))));
    if (!level.found) {
        return std::nullopt;
    }
    const std::size_t first = templates_.size();
    AddLines(level.body, level.bodyFirstLine, fromStatic);
    // Past the count the game reads no more templates: they define nothing.
    if (level.declared && *level.declared < templates_.size() - first) {
        for (std::size_t i = first + static_cast<std::size_t>(*level.declared);
             i < templates_.size(); ++i) {
            templates_[i].counted = false;
        }
    }
    return level;
}

void TemplateSource::AddTable(const TemplateTable& table) {
    for (std::size_t k = 0; k < kTemplateCapacity; ++k) {
        if (!table.name[k].empty()) {
            templates_.push_back(ReadSourceLine(Keep(TabConvert(table.line[k])), 0, false));
        }
    }
}

void TemplateSource::Index(bool level) {
    firstOf_.clear();
    firstOf_.reserve(templates_.size());
    std::string buffer;
    for (std::size_t i = 0; i < templates_.size(); ++i) {
        if (templates_[i].counted && !templates_[i].name.empty()) {
            firstOf_.try_emplace(std::string(Lowered(templates_[i].name, buffer)), i);
        }
    }
    parentOf_.assign(templates_.size(), kNoTemplate);
    childCount_.assign(templates_.size(), 0);
    for (std::size_t i = 0; i < templates_.size(); ++i) {
        const std::size_t parent = Find(templates_[i].parent);
        const bool inOrder = !(level || templates_[i].fromStatic) || parent < i;
        if (parent != kNoTemplate && parent != i && inOrder) {
            parentOf_[i] = parent;
            ++childCount_[parent];
        }
    }
}

std::size_t TemplateSource::Find(std::string_view name) const {
    if (name.empty()) {
        return kNoTemplate;
    }
    std::string buffer;
    const auto found = firstOf_.find(Lowered(name, buffer));
    return found == firstOf_.end() ? kNoTemplate : found->second;
}

SourceFile ReadTemplateSource(const std::string& path, const std::string& staticPath) {
    SourceFile read;
    auto source = std::make_unique<TemplateSource>();
    for (const std::string* file : {&staticPath, &path}) {
        if (file->empty()) {
            continue;
        }
        const bool fromStatic = file == &staticPath;
        const FileBytes bytes = ReadFileBytes(PathFromUtf8(*file));
        if (!bytes.bytes) {
            read.error = bytes.error;
            return read;
        }
        if (IsLevelFile(*file)) {
            std::optional<LevelTemplates> level = source->AddLevel(*bytes.bytes, fromStatic);
            if (!level) {
                read.error = NoTemplatesSectionMessage(*file);
                return read;
            }
            if (!fromStatic) {
                read.level = level;
            }
        } else {
            source->AddTemplateFile(*bytes.bytes, fromStatic);
        }
        if (fromStatic) {
            source->staticName = FileName(*file);
        }
    }
    source->Index(read.level.has_value());
    read.source = std::move(source);
    return read;
}

std::vector<std::string_view> OwnFieldsOfLine(std::string_view line) {
    std::vector<std::string_view> fields;
    ForEachOwnField(line, [&](std::string_view field) { fields.push_back(field); });
    return fields;
}

// --- numbers as the game reads them -----------------------------------------------------------

namespace {

// The number a value starts with, as C's atof reads it; 0 when it starts with none.
double LeadingNumber(std::string_view text) {
    const bool plus = text.starts_with('+');
    const char* first = text.data() + (plus ? 1 : 0);
    double value = 0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    return error == std::errc() ? value : 0;
}

// The whole number a value starts with, as C's atoi reads it; 0 when it starts with none,
// and nothing when it is too large to hold.
std::optional<long long> LeadingInteger(std::string_view text) {
    const bool plus = text.starts_with('+');
    const char* first = text.data() + (plus ? 1 : 0);
    long long value = 0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        return std::nullopt;
    }
    return error == std::errc() ? value : 0;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool StartsWithHexDigit(std::string_view value) {
    if (value.starts_with("0x") || value.starts_with("0X")) {
        value.remove_prefix(2);
    }
    return !value.empty() && IsHexDigit(value[0]);
}

}  // namespace

// --- applying templates -----------------------------------------------------------------------

namespace {

constexpr std::uint32_t kNone = 0xffffffffu;
constexpr std::uint32_t kOutside = 0xfffffffeu;  // the template applied outside the source

TypeGroup GroupOf(const TypeWord* type) {
    return type == nullptr ? TypeGroup::None : type->group;
}

// What the game holds of one parameter. Small: every parent's finished template is kept.
struct Slot {
    std::string_view value;
    std::uint32_t from = kNone;  // the template that set it
    std::uint32_t order = 0;     // when it was first set
    std::uint32_t field = 0;     // the own field of `from` that set it last
    std::uint8_t type = 0;       // the type word in force when it was set (TypeWordAt)
    MoveKind move = MoveKind::None;
    bool set = false;
};

// One item of a list (a frame, a debris); the items of a template and its parent share nodes.
struct ListNode {
    std::string_view value;
    std::uint32_t from = kNone;
    std::uint32_t field = 0;
    std::uint32_t previous = kNone;
};

// Where a size or movesize came from besides a field, and what a model could not give.
struct SizeNotes {
    std::string_view model;       // the model whose radius it is
    std::string_view passedOver;  // a model whose radius was not used, as it was set already
    std::string_view unknown;     // a model whose radius could not be read while it was 0
};

struct State {
    std::array<Slot, kGameParamCount> slots{};
    std::array<std::uint32_t, 2> heads{kNone, kNone};  // the newest frame and debris
    const TypeWord* type = nullptr;
    MoveKind move = MoveKind::None;
    std::string_view typeField;
    SizeNotes size;
    SizeNotes movesize;
    bool dropped = false;  // finished without a type
};

struct ParamIds {
    std::uint8_t type, size, movesize, model3d, numframes, frame, collide, timer, light, move,
        thingflags;
};
const ParamIds& Ids() {
    static const ParamIds ids = [] {
        auto id = [](std::string_view name) { return FindGameParam(name)->id; };
        return ParamIds{id("type"),      id("size"),  id("movesize"),  id("model3d"),
                        id("numframes"), id("frame"), id("collide"),   id("timer"),
                        id("light"),     id("move"),  id("thingflags")};
    }();
    return ids;
}

}  // namespace

struct Resolver::Impl {
    const TemplateSource& source;
    Game game;
    ModelRadius radius;

    std::vector<std::uint32_t> memo;  // the finished state of a template, in states
    std::deque<State> states;
    std::vector<ListNode> nodes;
    std::unordered_map<std::string, std::optional<std::string>> radii;  // by model, lower case
    std::vector<std::uint8_t> onPath;
    std::vector<std::size_t> path;
    std::uint32_t order = 0;

    // The last template applied.
    State last;
    std::uint32_t lastSelf = kNone;
    std::string_view lastName;
    std::size_t lastParent = kNoTemplate;
    std::string_view lastParentName;
    bool startDropped = false;  // the parent's finished template, which the game dropped
    OwnResolution own;

    Impl(const TemplateSource& s, Game g, ModelRadius r)
        : source(s), game(g), radius(std::move(r)), memo(s.Size(), kNone), onPath(s.Size(), 0) {}

    std::string_view NameOf(std::uint32_t from) const {
        return from == kOutside ? lastName : source.At(from).name;
    }

    void Set(State& state, std::uint8_t id, std::string_view value, std::uint32_t from,
             std::uint32_t field) {
        Slot& slot = state.slots[id];
        if (!slot.set) {
            slot.order = order++;
        }
        slot.set = true;
        slot.value = value;
        slot.from = from;
        slot.field = field;
        slot.type = state.type != nullptr ? state.type->index : 0;
        slot.move = state.move;
    }

    void Unset(State& state, std::uint8_t id) {
        state.slots[id] = Slot{};
        if (GameParamAt(id).list) {
            HeadOf(state, id) = kNone;
        }
    }

    // Of the two lists, frames and debris.
    static std::uint32_t& HeadOf(State& state, std::size_t id) {
        return state.heads[id == Ids().frame ? 0 : 1];
    }
    static std::uint32_t HeadOf(const State& state, std::size_t id) {
        return state.heads[id == Ids().frame ? 0 : 1];
    }

    bool IsZero(const State& state, std::uint8_t id) const {
        const Slot& slot = state.slots[id];
        return !slot.set || LeadingNumber(slot.value) == 0;
    }

    const std::optional<std::string>& RadiusOf(std::string_view model) {
        const auto [at, added] = radii.try_emplace(LowerAscii(model));
        if (added) {
            at->second = radius(model);
        }
        return at->second;
    }

    // A model's radius becomes size and movesize where they are still 0.
    void TakeRadius(State& state, std::string_view model, std::uint32_t from, std::uint32_t field) {
        const ParamIds& ids = Ids();
        const bool sizeZero = IsZero(state, ids.size);
        const bool movesizeZero = IsZero(state, ids.movesize);
        if (!sizeZero) {
            state.size.passedOver = model;
        }
        if (!movesizeZero) {
            state.movesize.passedOver = model;
        }
        if ((!sizeZero && !movesizeZero) || !radius || model.empty()) {
            return;
        }
        const std::optional<std::string>& text = RadiusOf(model);
        for (const auto& [zero, id, notes] :
             {std::tuple{sizeZero, ids.size, &state.size},
              std::tuple{movesizeZero, ids.movesize, &state.movesize}}) {
            if (!zero) {
                continue;
            }
            if (text) {
                Set(state, id, *text, from, field);
                *notes = SizeNotes{model, {}, {}};
            } else {
                notes->unknown = model;
            }
        }
    }

    // Applies one own field of template `from`, and says what became of it.
    void ApplyField(State& state, FieldOutcome& out, std::uint32_t from, std::uint32_t field) {
        const ParamIds& ids = Ids();
        out.param = SplitParameterView(out.field);
        if (!out.param.hasEquals) {
            out.fate = FieldFate::NoPair;
            return;
        }
        out.kind = FindGameParam(out.param.name);
        const GameParam* kind = out.kind;
        if (kind == nullptr) {
            out.fate = FieldFate::Unknown;
            return;
        }
        if (kind->motsOnly && game != Game::Mots) {
            out.fate = FieldFate::MotsOnly;
            return;
        }
        out.type = state.type;
        out.move = state.move;
        const std::string_view value = out.param.value;
        const std::uint8_t id = kind->id;
        switch (kind->role) {
            case ParamRole::Nothing:
                out.fate = FieldFate::DoesNothing;
                return;
            case ParamRole::Type:
                if (state.type == nullptr) {
                    out.fate = FieldFate::NoTypeYet;
                } else if (!kind->TakenBy(state.type->group)) {
                    out.fate = FieldFate::OtherType;
                } else {
                    SetOrAdd(state, *kind, value, from, field);
                }
                return;
            case ParamRole::Physics:
            case ParamRole::Path: {
                const MoveKind needs =
                    kind->role == ParamRole::Physics ? MoveKind::Physics : MoveKind::Path;
                if (state.move != needs) {
                    out.fate = FieldFate::OtherMove;
                } else if (id == ids.frame && !state.slots[ids.numframes].set) {
                    out.fate = FieldFate::NoNumframes;
                } else {
                    if (id == ids.numframes) {
                        Unset(state, ids.frame);  // a count starts the frames afresh
                    }
                    SetOrAdd(state, *kind, value, from, field);
                }
                return;
            }
            case ParamRole::Generic:
                break;
        }
        if (id == ids.type) {
            state.type = FindTypeWord(value);
            state.typeField = out.field;
            if (state.type == nullptr) {
                out.fate = FieldFate::NoSuchType;
                Unset(state, id);
                return;
            }
        } else if (id == ids.collide) {
            const std::optional<long long> collide = LeadingInteger(value);
            if (!collide || *collide < 0 || *collide > 3) {
                out.fate = FieldFate::OutOfRange;
                return;
            }
        } else if (id == ids.move) {
            const std::optional<MoveKind> move = FindMove(value);
            if (!move) {
                out.fate = FieldFate::NoSuchMove;
                return;
            }
            state.move = *move;
        } else if (id == ids.thingflags) {
            if (!StartsWithHexDigit(value)) {
                out.fate = FieldFate::NotHex;
                return;
            }
        } else if (id == ids.size || id == ids.movesize || id == ids.timer || id == ids.light) {
            if (id == ids.movesize && GroupOf(state.type) == TypeGroup::Actor) {
                out.fate = FieldFate::MovesizeOfActor;
                return;
            }
            if (value.starts_with('-') && LeadingNumber(value) < 0) {
                out.fate = FieldFate::Negative;
                return;
            }
            if (id == ids.size) {
                state.size = {};
                state.movesize = {};
            } else if (id == ids.movesize) {
                state.movesize = {};
            }
        }
        Set(state, id, value, from, field);
        if (id == ids.size) {
            Set(state, ids.movesize, value, from, field);  // the collide size and the move size
        }
        if (id == ids.model3d) {
            TakeRadius(state, value, from, field);
        }
    }

    void SetOrAdd(State& state, const GameParam& kind, std::string_view value, std::uint32_t from,
                  std::uint32_t field) {
        Set(state, kind.id, value, from, field);
        if (kind.list) {
            std::uint32_t& head = HeadOf(state, kind.id);
            nodes.push_back({value, from, field, head});
            head = static_cast<std::uint32_t>(nodes.size() - 1);
        }
    }

    // At the end, what belongs to another type or move than the last is not kept.
    void Finish(State& state, std::uint32_t self, std::vector<FieldOutcome>* fields) {
        const TypeGroup group = GroupOf(state.type);
        for (Slot& slot : state.slots) {
            if (!slot.set) {
                continue;
            }
            const GameParam& kind = GameParamAt(static_cast<std::size_t>(&slot - &state.slots[0]));
            FieldFate fate = FieldFate::Applied;
            if (kind.role == ParamRole::Type && GroupOf(TypeWordAt(slot.type)) != group) {
                fate = FieldFate::TypeChanged;
            } else if ((kind.role == ParamRole::Physics || kind.role == ParamRole::Path) &&
                       slot.move != state.move) {
                fate = FieldFate::MoveChanged;
            }
            if (fate == FieldFate::Applied) {
                continue;
            }
            if (fields != nullptr) {
                auto mark = [&](std::uint32_t from, std::uint32_t field) {
                    if (from == self && field < fields->size()) {
                        FieldOutcome& out = (*fields)[field];
                        out.fate = fate;
                        out.type = TypeWordAt(slot.type);
                        out.move = slot.move;
                    }
                };
                if (kind.list) {
                    for (std::uint32_t n = HeadOf(state, kind.id); n != kNone;
                         n = nodes[n].previous) {
                        mark(nodes[n].from, nodes[n].field);
                    }
                } else {
                    mark(slot.from, slot.field);
                }
            }
            Unset(state, kind.id);
        }
        state.dropped = state.type == nullptr;
    }

    // A field the game ignores for want of a type or a count that the line gives further on.
    static void MarkLaterRules(std::vector<FieldOutcome>& fields) {
        const ParamIds& ids = Ids();
        bool typeLater = false;
        bool numframesLater = false;
        for (auto field = fields.rbegin(); field != fields.rend(); ++field) {
            if (field->fate == FieldFate::NoTypeYet) {
                field->ruleComesLater = typeLater;
            } else if (field->fate == FieldFate::NoNumframes) {
                field->ruleComesLater = numframesLater;
            }
            if (field->kind != nullptr) {
                typeLater |= field->kind->id == ids.type;
                numframesLater |= field->kind->id == ids.numframes;
            }
        }
    }

    // Applies the own fields of a template over what the state holds.
    void ApplyOwn(State& state, std::string_view text, std::uint32_t self,
                  std::vector<FieldOutcome>* fields) {
        std::uint32_t field = 0;
        if (fields != nullptr) {
            fields->clear();
        }
        FieldOutcome scratch;
        ForEachOwnField(text, [&](std::string_view written) {
            FieldOutcome& out = fields != nullptr ? fields->emplace_back() : (scratch = {});
            out.field = written;
            ApplyField(state, out, self, field++);
        });
        Finish(state, self, fields);
        if (fields != nullptr) {
            MarkLaterRules(*fields);
        }
    }

    // The finished state of a source template, applied once and kept when others build on it.
    // Parents that loop start from nothing at the one whose parent is already on the way.
    void Walk(std::size_t at, State& state, std::vector<FieldOutcome>* fields) {
        path.clear();
        path.push_back(at);
        onPath[at] = 1;
        std::size_t next = source.ParentOf(at);
        while (next != kNoTemplate && memo[next] == kNone && onPath[next] == 0) {
            path.push_back(next);
            onPath[next] = 1;
            next = source.ParentOf(next);
        }
        // Below the template where a loop closes, every finished state is the one a walk from
        // it would give; above it, they depend on where the walk started.
        std::size_t keepUpTo = path.size() - 1;
        if (next != kNoTemplate && memo[next] == kNone) {
            keepUpTo =
                static_cast<std::size_t>(std::find(path.begin(), path.end(), next) - path.begin());
        }
        for (const std::size_t p : path) {
            onPath[p] = 0;
        }
        // Copied once, into the state the caller keeps: a state is a few kilobytes.
        if (next != kNoTemplate && memo[next] != kNone) {
            state = states[memo[next]];
        } else {
            state = State{};
        }
        for (std::size_t i = path.size(); i-- > 0;) {
            if (i == 0) {
                startDropped = state.dropped;
            }
            if (state.dropped) {
                state = State{};  // the game has no template of the parent's name
            }
            const std::size_t t = path[i];
            ApplyOwn(state, source.At(t).text, static_cast<std::uint32_t>(t),
                     i == 0 ? fields : nullptr);
            if (i <= keepUpTo && memo[t] == kNone && source.ChildCount(t) > 0) {
                states.push_back(state);
                memo[t] = static_cast<std::uint32_t>(states.size() - 1);
            }
        }
    }

    void End(const State& state) {
        own.type = state.type;
        own.move = state.move;
        own.typeField = state.typeField;
    }
};

Resolver::Resolver(const TemplateSource& source, Game game, ModelRadius radius)
    : impl_(std::make_unique<Impl>(source, game, std::move(radius))) {}

Resolver::~Resolver() = default;

const OwnResolution& Resolver::Apply(std::size_t at) {
    Impl& m = *impl_;
    m.Walk(at, m.last, &m.own.fields);
    m.lastSelf = static_cast<std::uint32_t>(at);
    m.lastName = m.source.At(at).name;
    m.lastParent = m.source.ParentOf(at);
    m.lastParentName = m.source.At(at).parent;
    m.End(m.last);
    return m.own;
}

const OwnResolution& Resolver::ApplyOutside(std::string_view name, std::string_view parent,
                                            std::span<const std::string_view> fields) {
    Impl& m = *impl_;
    const std::size_t found =
        EqualsIgnoringCase(parent, name) ? kNoTemplate : m.source.Find(parent);
    if (found == kNoTemplate) {
        m.last = State{};
    } else if (m.memo[found] != kNone) {
        m.last = m.states[m.memo[found]];
    } else {
        m.Walk(found, m.last, nullptr);
    }
    m.startDropped = m.last.dropped;
    if (m.last.dropped) {
        m.last = State{};  // the game has no template of the parent's name
    }
    m.own.fields.clear();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        FieldOutcome& out = m.own.fields.emplace_back();
        out.field = fields[i];
        m.ApplyField(m.last, out, kOutside, static_cast<std::uint32_t>(i));
    }
    m.Finish(m.last, kOutside, &m.own.fields);
    Impl::MarkLaterRules(m.own.fields);
    m.lastSelf = kOutside;
    m.lastName = name;
    m.lastParent = found;
    m.lastParentName = parent;
    m.End(m.last);
    return m.own;
}

namespace {

// The pieces of a reason, joined into one string: a file may give thousands of them.
std::string Joined(std::initializer_list<std::string_view> pieces) {
    std::size_t size = 0;
    for (const std::string_view piece : pieces) {
        size += piece.size();
    }
    std::string joined;
    joined.reserve(size);
    for (const std::string_view piece : pieces) {
        joined += piece;
    }
    return joined;
}

// A name or field as a reason shows it: a long one cut short.
constexpr std::size_t kShownLength = 40;
std::string_view ShownIn(std::string_view text, std::string& buffer) {
    if (text.size() <= kShownLength) {
        return text;
    }
    buffer = Shown(text, kShownLength);
    return buffer;
}

}  // namespace

std::string FieldReason(const FieldOutcome& field, const OwnResolution& end) {
    std::string nameBuffer;
    std::string fieldBuffer;
    const std::string_view name = ShownIn(field.param.name, nameBuffer);
    const std::string_view written = ShownIn(field.field, fieldBuffer);
    const std::string_view type = field.type != nullptr ? field.type->withArticle : "";
    switch (field.fate) {
        case FieldFate::Applied:
            return {};
        case FieldFate::NoPair:
            return Joined({written, " is no param=value pair"});
        case FieldFate::Unknown:
            return Joined({name, " is no parameter the game knows"});
        case FieldFate::MotsOnly:
            return Joined({name, " is a parameter of Mots only"});
        case FieldFate::DoesNothing:
            return Joined({name, " does nothing in a template"});
        case FieldFate::OutOfRange:
            return Joined({written, " is none of 0, 1, 2 and 3"});
        case FieldFate::Negative:
            return Joined({written, " is negative"});
        case FieldFate::NotHex:
            return Joined({written, " does not start with a hexadecimal digit"});
        case FieldFate::NoSuchMove:
            return Joined({written, " is none of none, path and physics"});
        case FieldFate::NoSuchType:
            return Joined({written, " names no type, and leaves the template without one"});
        case FieldFate::MovesizeOfActor:
        case FieldFate::OtherType:
            return Joined({name, " does nothing for ", type});
        case FieldFate::NoTypeYet:
            return Joined({name, field.ruleComesLater
                                     ? " comes before type, and the game ignores it there"
                                     : " does nothing without a type"});
        case FieldFate::OtherMove: {
            const bool physics = field.kind != nullptr && field.kind->role == ParamRole::Physics;
            return Joined({name, " needs move=",
                           MoveName(physics ? MoveKind::Physics : MoveKind::Path), " first"});
        }
        case FieldFate::NoNumframes:
            return Joined({name, field.ruleComesLater
                                     ? " comes before numframes, and the game ignores it there"
                                     : " needs numframes first"});
        case FieldFate::TypeChanged:
            return Joined({name, " was set for ", type, ", and the template ends ",
                           end.type != nullptr ? end.type->withArticle : "without a type"});
        case FieldFate::MoveChanged:
            return Joined({name, " was set under move=", MoveName(field.move),
                           ", and the template ends with move=", MoveName(end.move)});
    }
    return {};
}

std::string NoTypeReason(const OwnResolution& end) {
    if (end.typeField.empty()) {
        return "no template of its chain sets a type";
    }
    std::string buffer;
    return Joined({"\"", ShownIn(end.typeField, buffer), "\" names no type"});
}

FinishedTemplate Resolver::Finished() const {
    const Impl& m = *impl_;
    const ParamIds& ids = Ids();
    FinishedTemplate out;
    out.defined = true;
    out.name = m.lastName;
    if (m.last.type == nullptr) {
        out.dropped = NoTypeReason(m.own);
    }
    // The chain as the game built it: up the parents to one missing, dropped or met before.
    std::vector<std::string_view> chain{m.lastName};
    std::vector<std::size_t> seen;
    for (std::size_t p = m.lastParent; p != kNoTemplate; p = m.source.ParentOf(p)) {
        if (std::find(seen.begin(), seen.end(), p) != seen.end() || p == m.lastSelf) {
            out.notes.push_back("the parents loop back to " + std::string(m.source.At(p).name) +
                                ": the game starts from nothing above it");
            break;
        }
        seen.push_back(p);
        const bool dropped =
            p == m.lastParent ? m.startDropped : m.memo[p] != kNone && m.states[m.memo[p]].dropped;
        if (dropped) {
            out.notes.push_back("the game drops " + std::string(m.source.At(p).name) +
                                ", which ends without a type, so what it and its parents set "
                                "is not here");
            break;
        }
        chain.push_back(m.source.At(p).name);
    }
    out.chain.assign(chain.rbegin(), chain.rend());
    const std::string_view parentName = m.lastParentName;
    if (m.lastParent == kNoTemplate && !parentName.empty() &&
        !EqualsIgnoringCase(parentName, "none")) {
        out.notes.push_back("the game has no template " + std::string(parentName) +
                            " to start from before this one, so it starts from nothing");
    }

    std::vector<const Slot*> set;
    for (const Slot& slot : m.last.slots) {
        if (slot.set) {
            set.push_back(&slot);
        }
    }
    std::sort(set.begin(), set.end(),
              [](const Slot* a, const Slot* b) { return a->order < b->order; });
    for (const Slot* slot : set) {
        const std::size_t id = static_cast<std::size_t>(slot - &m.last.slots[0]);
        const GameParam& kind = GameParamAt(id);
        const SizeNotes* notes = id == ids.size       ? &m.last.size
                                 : id == ids.movesize ? &m.last.movesize
                                                      : nullptr;
        auto add = [&](std::string_view value, std::uint32_t from) {
            FinishedParam& param = out.params.emplace_back();
            param.name = kind.name;
            param.value = value;
            param.own = from == m.lastSelf;
            if (notes != nullptr && !notes->model.empty()) {
                param.fromModel = true;
                param.model = notes->model;
                param.own = false;
                param.from = "model " + std::string(notes->model);
            } else {
                param.from = m.NameOf(from);
            }
            if (notes != nullptr && !notes->passedOver.empty() && notes->model.empty()) {
                param.note = "the radius of " + std::string(notes->passedOver) +
                             " is not used: " + std::string(kind.name) + " is set already";
            }
        };
        if (kind.list) {
            std::vector<const ListNode*> items;
            for (std::uint32_t n = Impl::HeadOf(m.last, id); n != kNone; n = m.nodes[n].previous) {
                items.push_back(&m.nodes[n]);
            }
            for (auto item = items.rbegin(); item != items.rend(); ++item) {
                add((*item)->value, (*item)->from);
            }
        } else {
            add(slot->value, slot->from);
        }
    }
    const std::string_view unknown =
        !m.last.size.unknown.empty() ? m.last.size.unknown : m.last.movesize.unknown;
    if (!unknown.empty()) {
        out.notes.push_back("the model " + std::string(unknown) +
                            " cannot be read here, so the radius the game makes size and "
                            "movesize is not known");
    }
    for (std::size_t i = 0; i < m.own.fields.size(); ++i) {
        const FieldOutcome& field = m.own.fields[i];
        if (field.fate != FieldFate::Applied) {
            out.unapplied.push_back({i, std::string(field.field), FieldReason(field, m.own)});
        }
    }
    return out;
}

FinishedTemplate FinishTemplate(const TemplateSource& source, std::string_view name, Game game,
                                const ModelRadius& radius) {
    const std::size_t at = source.Find(name);
    if (at == kNoTemplate) {
        FinishedTemplate out;
        out.name = name;
        for (const SourceTemplate& t : source.Templates()) {
            if (!t.counted && EqualsIgnoringCase(t.name, name)) {
                out.defined = true;
                out.dropped = "the level's count of templates ends before it";
                break;
            }
        }
        return out;
    }
    Resolver resolver(source, game, radius);
    resolver.Apply(at);
    return resolver.Finished();
}

}  // namespace skerry
