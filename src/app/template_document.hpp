#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_history.hpp"
#include "editors/finished_cells.hpp"
#include "editors/finished_template.hpp"
#include "editors/template_file_checks.hpp"
#include "resources/model_preview.hpp"
#include "resources/model_radii.hpp"
#include "resources/picker_request.hpp"
#include "resources/resource_state.hpp"
#include "settings/settings.hpp"
#include "template/new_tpl.hpp"
#include "template/param_grid.hpp"
#include "template/template_store.hpp"

namespace skerry {

// The boxes' texts before any template is started, and the memo of a template without a
// parent.
inline constexpr std::string_view kStartName = "Name";
inline constexpr std::string_view kStartParent = "Based on";
inline constexpr std::string_view kStartTypeText = "type=";
inline constexpr std::string_view kNoParentMemo = "No Parent Template";
inline constexpr std::string_view kChainHeading = "Parent template(s)\n\n";

// Where the template being edited came from.
enum class DocumentOrigin { Nothing, NewTemplate, Opened };

// Everything about the template being edited that undo and redo put back.
struct DocumentState {
    std::string name{kStartName};
    std::string parent{kStartParent};
    std::string typeText{kStartTypeText};  // the type box's text
    ParamGrid grid;
    std::string memo;         // the parent chain, as the memo under the grid shows it
    std::string description;  // the "# DESC: " text the template had, or was given last
    DocumentOrigin origin = DocumentOrigin::Nothing;
    std::string templateFile;  // where the names come from; empty: the dialect's Jed file
    std::string savedLine;     // the line as last opened, saved or started
};

// What changed, so that the windows showing the document redraw just that.
enum class DocumentChange {
    RowsAboutToBeReplaced,  // the grid's rows are about to change whole (a type, New, Open)
    RowsReplaced,
    Value,  // one value; the row is given
    Boxes,  // name, parent, type text, memo, origin
    History,
};

// A scan of the template file the names come from, and what the user is to be told of it.
struct ScanReport {
    bool read = false;
    std::optional<std::string> message;  // a missing or unreadable file, or one cut short
};

// Why Open did not open a template.
enum class OpenFailure { None, FileMissing, FileUnreadable, NotInFile, CannotOpen };
struct OpenReport {
    OpenFailure failure = OpenFailure::None;
    std::string message;                 // for a failure
    std::optional<std::string> warning;  // a file of more templates than are read
    bool Opened() const { return failure == OpenFailure::None; }
};

struct SaveReport {
    bool saved = false;
    std::string error;   // why nothing was written, naming the file
    std::string path;    // the New.tpl written
    bool added = false;  // the template went at the file's end, not in place of its own line
};

// The template being edited, as one document: its name, parent, type and rows, where it came
// from, whether it changed since it was opened or saved, which template file the names come
// from, and the containers its files are looked up in. New, Open, Save, Append, a type change
// and every value written are operations on it; those that change it are steps of its
// history, so that every one can be undone and redone.
class TemplateDocument {
  public:
    TemplateDocument(Settings& settings, TemplateStore& templates, const ResourceState& resources);

    using Listener = std::function<void(DocumentChange change, std::size_t row)>;
    void SetListener(Listener listener) { listener_ = std::move(listener); }
    // The document of a run that has just started: no template, no history.
    void Reset();

    const DocumentState& State() const { return state_; }
    const ParamGrid& Grid() const { return state_.grid; }
    // The template line of the name, the parent and the rows with a value.
    std::string Line() const;
    // Changed since it was opened, saved or started: leaving it asks first.
    bool Changed() const { return Line() != state_.savedLine; }
    // "the template "crate"", or "this new template" while it has no name of its own.
    std::string Called() const;
    // A type's rows are on the grid.
    bool HasRows() const;
    bool Started() const { return state_.origin != DocumentOrigin::Nothing; }
    bool NewTplExists() const;
    std::string TemplateFilePath() const;
    const TemplateStore& Templates() const { return templates_; }
    Game GameInUse() const { return settings_.motsDialect ? Game::Mots : Game::JediKnight; }

    // --- the template file -----------------------------------------------------------------
    // Reads the file the names come from afresh.
    ScanReport ScanTemplateFile();
    // Reads it unless the template tables hold it already.
    ScanReport ReadTemplateFile() { return EnsureScanned(TemplateFilePath()); }
    // The template names of the file in use (read again only when it is not the one read
    // last), for the parent box and the rows that take a template's name.
    PickerRequest TemplateNames(std::string current, ScanReport& report);
    // The base template and every template derived from it.
    PickerRequest Descendants(std::string_view base, std::string current, ScanReport& report);
    // The names of a file, read afresh, for Open. None is chosen beforehand: OK without a
    // click opens nothing.
    PickerRequest NamesOf(const std::string& file, ScanReport& report);

    // --- steps of the history --------------------------------------------------------------
    // A new template: placeholders in the boxes, the start grid, the type box to choose.
    ScanReport New();
    // The template of that name in file, with its chain's type, its own fields and its
    // chain in the memo; the names then come from that file.
    OpenReport Open(const std::string& file, const std::string& name);
    void SetName(const std::string& name);
    // The parent, and its chain in the memo.
    void SetParent(const std::string& parent);
    // The type box's text. A text with a type word loads that type's rows afresh; false when
    // it holds none and the rows stay.
    bool ChangeType(const std::string& text);
    // A value written into a row, by typing or by an editor; the same value is no step.
    void SetValue(std::size_t row, const std::string& value);

    const CommandHistory& History() const { return history_; }
    void Undo();
    void Redo();

    // --- saving ----------------------------------------------------------------------------
    // Why the template cannot be saved as it stands (placeholders, a name no line keeps).
    std::optional<std::string> SaveRefusal() const;
    // The templates of New.tpl that a plain Save, which starts New.tpl again from the Jed
    // file, would drop: neither in that file nor this template.
    std::vector<std::string> TemplatesSaveWouldDrop() const;
    // Writes the template into New.tpl. Not a step: it marks the point the template counts
    // as unchanged from. describe is asked for the description of a template new to the file.
    SaveReport Save(SaveKind kind, const std::function<std::string(const std::string&)>& describe);
    // What the question before leaving a changed template saves with: Append once New.tpl is
    // there, so that its other templates stay; else a Save, which has nothing to drop.
    SaveKind KindForLeaving() const { return NewTplExists() ? SaveKind::Append : SaveKind::Save; }

    // --- the game's files ------------------------------------------------------------------
    // The containers files are looked up in: the picker's open one, then the others of the
    // run's dialect.
    std::vector<std::filesystem::path> Containers() const;
    // The model of that name, from the first of those containers that lists it.
    ListedModel ReadModel(std::string_view model) const;

    // --- what the game makes of it ---------------------------------------------------------
    // The finished template, as the game makes it from the chain in the template file in use
    // and the models' radii, and what each grid row shows of it. Worked out again only after
    // the template or the template file changed.
    const FinishedTemplate& Finished();
    const std::vector<ValueCell>& Cells();

  private:
    friend class DocumentSteps;

    // Puts a whole state in place, telling the windows.
    void Restore(const DocumentState& state);
    void Push(std::unique_ptr<Command> command);
    void Notify(DocumentChange change, std::size_t row = 0) const;
    // Reads the file into the template tables unless they hold it already.
    ScanReport EnsureScanned(const std::string& file);
    ScanReport ScanFile(const std::string& file);
    std::string ChainMemo(const std::string& parent);
    void Refinish();

    Settings& settings_;
    TemplateStore& templates_;
    const ResourceState& resources_;
    DocumentState state_;
    CommandHistory history_;
    std::string scannedFile_;  // the file the template tables hold; empty: none for sure
    Listener listener_;
    mutable bool finishedStale_ = true;
    std::unique_ptr<TemplateSource> source_;  // the template tables, indexed once per scan
    std::uint64_t sourceGeneration_ = 0;
    ModelRadii radii_;
    std::string radiiContainersKey_;  // what radii_'s containers were listed for
    FinishedTemplate finished_;
    std::vector<ValueCell> cells_;
};

}  // namespace skerry
