#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "editors/game_params.hpp"
#include "template/level_templates.hpp"
#include "template/template_line.hpp"
#include "template/template_store.hpp"

namespace skerry {

// What the game makes of a template: its parent's finished template copied whole, then its
// own fields applied left to right, each by the rule of its parameter, and at the end what
// belongs to another type or move than the last one left out.

// The radius of a model as its file writes it, by the name a template gives the model;
// nothing when the model cannot be read.
using ModelRadius = std::function<std::optional<std::string>(std::string_view model)>;

inline constexpr std::size_t kNoTemplate = static_cast<std::size_t>(-1);

// One template line of a source, as the game reads it.
struct SourceTemplate {
    std::size_t line = 0;    // counted from 1 in its file; 0 for a line in no file
    std::size_t length = 0;  // of the whole line
    std::string_view text;   // from its first field on
    std::string_view name;
    std::string_view parent;
    bool counted = true;      // false past a level's declared count: the game drops it
    bool fromStatic = false;  // a template of the static level, which the game reads first
};

// A template line as the game reads it (blanks at its start passed over); the views point
// into text.
SourceTemplate ReadSourceLine(std::string_view text, std::size_t line = 0, bool fromStatic = false);

// The templates the game has read: a static level's first, when there is one, then those of a
// template file or level. A name defined twice keeps its first definition.
class TemplateSource {
  public:
    TemplateSource() = default;
    TemplateSource(const TemplateSource&) = delete;
    TemplateSource& operator=(const TemplateSource&) = delete;

    // The template lines of a file's bytes, tabs read as blanks. A level gives those of its
    // templates section, and those past its declared count are not counted; nothing when it
    // has none (and then no templates are added).
    void AddTemplateFile(std::string_view bytes, bool fromStatic = false);
    std::optional<LevelTemplates> AddLevel(std::string_view bytes, bool fromStatic = false);
    // The lines of a scanned template table.
    void AddTable(const TemplateTable& table);

    // After the last template is added: names and parents are found. In a level, and among a
    // static level's templates, a parent must stand earlier to count.
    void Index(bool level);

    std::size_t Find(std::string_view name) const;  // the first counted one; kNoTemplate
    std::size_t ParentOf(std::size_t at) const { return parentOf_[at]; }
    std::size_t ChildCount(std::size_t at) const { return childCount_[at]; }
    std::size_t Size() const { return templates_.size(); }
    const SourceTemplate& At(std::size_t at) const { return templates_[at]; }
    std::vector<SourceTemplate>& Templates() { return templates_; }
    const std::vector<SourceTemplate>& Templates() const { return templates_; }

    // The static level's file name, for messages ("static.jkl").
    std::string staticName;

  private:
    std::string_view Keep(std::string text);
    void AddLines(std::string_view text, std::size_t firstLine, bool fromStatic);

    std::vector<std::unique_ptr<std::string>> texts_;  // what the views point into
    std::vector<SourceTemplate> templates_;
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };
    std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> firstOf_;
    std::vector<std::size_t> parentOf_;
    std::vector<std::size_t> childCount_;
};

// A template file or level read from disk (by its extension), with a static level, or template
// file, read before it when staticPath is not empty.
struct SourceFile {
    std::unique_ptr<TemplateSource> source;  // when read
    std::string error;                       // otherwise: why, naming the file
    std::optional<LevelTemplates> level;     // the level's templates section, for a level
};
SourceFile ReadTemplateSource(const std::string& path, const std::string& staticPath = {});

// What the game did with one of a template's own fields.
enum class FieldFate : std::uint8_t {
    Applied,
    NoPair,           // a field without "="
    Unknown,          // no parameter the game reads
    MotsOnly,         // a parameter of Mots only, in Jedi Knight
    DoesNothing,      // read, yet applied by no rule of a template
    OutOfRange,       // collide outside 0 to 3
    Negative,         // a negative size, movesize, timer or light
    NotHex,           // thingflags that do not start with a hexadecimal digit
    NoSuchMove,       // move other than none, path and physics
    NoSuchType,       // type= a word that is no type: from there on the template has none
    MovesizeOfActor,  // movesize does nothing for an actor or a player
    NoTypeYet,        // a type's parameter while no type is in force
    OtherType,        // a type's parameter that the type in force does not take
    OtherMove,        // a move's parameter while another move is in force
    NoNumframes,      // a frame before any numframes
    TypeChanged,      // set for one type, and the template ends another
    MoveChanged,      // set under one move, and the template ends with another
};

struct FieldOutcome {
    std::string_view field;  // as written
    ParamView param;
    const GameParam* kind = nullptr;  // nullptr: no parameter the game reads
    FieldFate fate = FieldFate::Applied;
    const TypeWord* type = nullptr;  // the type in force at the field (or that it was set for)
    MoveKind move = MoveKind::None;  // likewise
    bool ruleComesLater = false;     // NoTypeYet, NoNumframes: the line sets it further on
};

// A template's own fields as the game applied them over its chain, and how it ended.
struct OwnResolution {
    std::vector<FieldOutcome> fields;  // from the third field on, empty ones left out
    const TypeWord* type = nullptr;    // at the end; none: the game drops the template
    MoveKind move = MoveKind::None;
    std::string_view typeField;  // the last "type=" field applied, by it or an ancestor
};

// Why a field is not applied ("damage does nothing for an actor"); empty for one applied.
std::string FieldReason(const FieldOutcome& field, const OwnResolution& end);
// Why the game drops a template that ends without a type.
std::string NoTypeReason(const OwnResolution& end);

// One parameter of a finished template.
struct FinishedParam {
    std::string name;   // in lower case
    std::string value;  // as written, or a model's radius as its file writes it
    std::string from;   // the template that gave it, as written, or "model NAME.3do"
    std::string note;   // what else the game did about it ("the radius of crate.3do is not used")
    std::string model;  // for a value taken from a model's radius: the model
    bool fromModel = false;
    bool own = false;  // given by the template's own fields
};

struct UnappliedField {
    std::size_t field = 0;  // among the template's own fields, from 0
    std::string text;
    std::string reason;
};

struct FinishedTemplate {
    bool defined = false;  // the source has the template
    std::string name;
    std::string dropped;                // why the game drops it; empty when it keeps it
    std::vector<std::string> chain;     // the templates applied, the first one found first
    std::vector<FinishedParam> params;  // in the order the game first set each
    std::vector<UnappliedField> unapplied;
    std::vector<std::string> notes;  // what the finished template may miss, and why
};

// Applies templates of one source; remembers the finished templates of parents so that a
// whole file is applied once, however long its chains.
class Resolver {
  public:
    Resolver(const TemplateSource& source, Game game, ModelRadius radius = {});
    ~Resolver();
    Resolver(const Resolver&) = delete;
    Resolver& operator=(const Resolver&) = delete;

    // A template of the source over its chain; the answer lasts until the next call.
    const OwnResolution& Apply(std::size_t at);
    // A template not in the source (the one being edited), over the chain its parent has there.
    const OwnResolution& ApplyOutside(std::string_view name, std::string_view parent,
                                      std::span<const std::string_view> fields);
    // The finished template of the last one applied.
    FinishedTemplate Finished() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The finished template of a name in a source; defined is false when the source lacks it.
FinishedTemplate FinishTemplate(const TemplateSource& source, std::string_view name, Game game,
                                const ModelRadius& radius = {});

// The fields of a line from its third on, empty ones (runs of blanks) left out.
std::vector<std::string_view> OwnFieldsOfLine(std::string_view line);

}  // namespace skerry
