#include "app/template_document.hpp"

#include <algorithm>
#include <unordered_map>

#include "app/model_bounds.hpp"
#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "common/names.hpp"
#include "template/catalogue.hpp"
#include "template/open_template.hpp"
#include "template/template_line.hpp"

namespace skerry {

// The steps of the history. Each keeps what it changed, before and after.
class DocumentSteps {
  public:
    // A value of one row.
    class Value : public Command {
      public:
        Value(TemplateDocument& doc, std::size_t row, std::string before, std::string after)
            : Command("value of " + Key(doc.state_.grid.Row(row).name)),
              doc_(doc),
              row_(row),
              before_(std::move(before)),
              after_(std::move(after)) {}
        void Undo() override { Put(before_); }
        void Redo() override { Put(after_); }

      private:
        static std::string Key(const std::string& name) {
            return name.starts_with("+ ") ? RemovePlus(name) : name;
        }
        void Put(const std::string& value) {
            doc_.state_.grid.Row(row_).value = value;
            doc_.Notify(DocumentChange::Value, row_);
        }
        TemplateDocument& doc_;
        std::size_t row_;
        std::string before_, after_;
    };

    // The name or the parent box, typed letter by letter: one step while the typing lasts.
    class Box : public Command {
      public:
        enum class Which { Name, Parent };
        Box(TemplateDocument& doc, Which which, std::string before, std::string after,
            std::string memoBefore, std::string memoAfter)
            : Command(which == Which::Name ? "name" : "parent"),
              doc_(doc),
              which_(which),
              before_(std::move(before)),
              after_(std::move(after)),
              memoBefore_(std::move(memoBefore)),
              memoAfter_(std::move(memoAfter)) {}
        void Undo() override { Put(before_, memoBefore_); }
        void Redo() override { Put(after_, memoAfter_); }
        bool MergeWith(const Command& later) override {
            const auto* box = dynamic_cast<const Box*>(&later);
            if (box == nullptr || box->which_ != which_) {
                return false;
            }
            after_ = box->after_;
            memoAfter_ = box->memoAfter_;
            return true;
        }

      private:
        void Put(const std::string& text, const std::string& memo) {
            (which_ == Which::Name ? doc_.state_.name : doc_.state_.parent) = text;
            if (which_ == Which::Parent) {
                doc_.state_.memo = memo;
            }
            doc_.Notify(DocumentChange::Boxes);
        }
        TemplateDocument& doc_;
        Which which_;
        std::string before_, after_, memoBefore_, memoAfter_;
    };

    // A change of the whole template: a type change, New, Open. The template counts as
    // unchanged against what it was saved or opened as, so that mark comes back with it.
    class Whole : public Command {
      public:
        Whole(TemplateDocument& doc, std::string text, DocumentState before, DocumentState after)
            : Command(std::move(text)),
              doc_(doc),
              before_(std::move(before)),
              after_(std::move(after)) {}
        void Undo() override { doc_.Restore(before_); }
        void Redo() override { doc_.Restore(after_); }

      private:
        TemplateDocument& doc_;
        DocumentState before_, after_;
    };
};

namespace {

// Templates of a table with the line the lookup by name finds for each, the last of its name.
template <std::size_t N>
std::vector<TemplateChoice> Choices(const TemplateRecords<N>& records,
                                    const std::vector<std::string>& names) {
    std::unordered_map<std::string_view, std::size_t> last;
    for (std::size_t k = 0; k < N; ++k) {
        if (!records.name[k].empty()) {
            last[records.name[k]] = k;
        }
    }
    std::vector<TemplateChoice> choices;
    choices.reserve(names.size());
    for (const std::string& name : names) {
        choices.push_back({name, records.line[last.at(name)]});
    }
    return choices;
}

}  // namespace

TemplateDocument::TemplateDocument(Settings& settings, TemplateStore& templates,
                                   const ResourceState& resources)
    : settings_(settings), templates_(templates), resources_(resources) {
    state_.savedLine = Line();
}

void TemplateDocument::Reset() {
    Notify(DocumentChange::RowsAboutToBeReplaced);
    state_ = DocumentState();
    state_.savedLine = Line();
    history_ = CommandHistory();
    scannedFile_.clear();
    Notify(DocumentChange::RowsReplaced);
    Notify(DocumentChange::Boxes);
    Notify(DocumentChange::History);
}

std::string TemplateDocument::Line() const {
    return ComposeLine(state_.name, state_.parent, state_.grid);
}

std::string TemplateDocument::Called() const {
    const std::string& name = state_.name;
    if (name.empty() || name == kTplNamePlaceholder || name == kStartName) {
        return "this new template";
    }
    return "the template \"" + name + "\"";
}

bool TemplateDocument::HasRows() const {
    return state_.grid.RowCount() > 0 && state_.grid.Row(0).name == "type";
}

bool TemplateDocument::NewTplExists() const {
    return FileExists(PathFromUtf8(settings_.NewTplPath()));
}

std::string TemplateDocument::TemplateFilePath() const {
    return state_.templateFile.empty() ? settings_.JedTemplatePath() : state_.templateFile;
}

void TemplateDocument::Notify(DocumentChange change, std::size_t row) const {
    finishedStale_ = true;
    if (listener_) {
        listener_(change, row);
    }
}

ScanReport TemplateDocument::ScanFile(const std::string& file) {
    ScanReport report;
    scannedFile_.clear();
    const ScanResult result = templates_.Scan(file);
    switch (result.status) {
        case ScanResult::Status::Missing:
            report.message = std::string(kMissingTplFileMessage);
            return report;
        case ScanResult::Status::Unreadable:
            report.message = result.error;
            return report;
        case ScanResult::Status::Read:
            break;
    }
    report.read = true;
    scannedFile_ = file;
    if (result.truncated) {
        const std::string capacity = std::to_string(kTemplateCapacity);
        report.message = file + " holds more than " + capacity + " templates; only the first " +
                         capacity + " are used.";
    }
    return report;
}

ScanReport TemplateDocument::EnsureScanned(const std::string& file) {
    if (!scannedFile_.empty() && scannedFile_ == file) {
        return {true, std::nullopt};
    }
    return ScanFile(file);
}

ScanReport TemplateDocument::ScanTemplateFile() {
    return ScanFile(TemplateFilePath());
}

PickerRequest TemplateDocument::TemplateNames(std::string current, ScanReport& report) {
    report = EnsureScanned(TemplateFilePath());
    return PickerRequest::ForTemplates(
        Choices(templates_.Templates(), templates_.OfferedTemplateNames()), std::move(current));
}

PickerRequest TemplateDocument::Descendants(std::string_view base, std::string current,
                                            ScanReport& report) {
    report = EnsureScanned(TemplateFilePath());
    templates_.SearchDescendants(base);
    return PickerRequest::ForTemplates(
        Choices(templates_.Descendants(), templates_.OfferedDescendantNames()), std::move(current));
}

PickerRequest TemplateDocument::NamesOf(const std::string& file, ScanReport& report) {
    report = ScanFile(file);
    return PickerRequest::ForTemplates(
        Choices(templates_.Templates(), templates_.OfferedTemplateNames()), {});
}

void TemplateDocument::Push(std::unique_ptr<Command> command) {
    history_.Push(std::move(command));
    Notify(DocumentChange::History);
}

void TemplateDocument::Restore(const DocumentState& state) {
    const bool rows =
        state.grid.Rows().size() != state_.grid.Rows().size() ||
        !std::equal(state.grid.Rows().begin(), state.grid.Rows().end(), state_.grid.Rows().begin(),
                    [](const GridRow& a, const GridRow& b) {
                        return a.name == b.name && a.kind == b.kind;
                    });
    if (rows) {
        Notify(DocumentChange::RowsAboutToBeReplaced);
    }
    state_ = state;
    if (rows) {
        Notify(DocumentChange::RowsReplaced);
    } else {
        for (std::size_t row = 0; row < state_.grid.RowCount(); ++row) {
            Notify(DocumentChange::Value, row);
        }
    }
    Notify(DocumentChange::Boxes);
}

ScanReport TemplateDocument::New() {
    DocumentState next = state_;
    next.name = std::string(kTplNamePlaceholder);
    next.parent = std::string(kBasedOnPlaceholder);
    next.typeText = std::string(kStartTypeText);
    next.grid = ParamGrid();
    next.memo = std::string(kNoParentMemo);
    next.description.clear();
    next.origin = DocumentOrigin::NewTemplate;
    next.savedLine = ComposeLine(next.name, next.parent, next.grid);
    DocumentState before = state_;
    Restore(next);
    Push(std::make_unique<DocumentSteps::Whole>(*this, "New", std::move(before), state_));
    return ScanTemplateFile();
}

OpenReport TemplateDocument::Open(const std::string& file, const std::string& name) {
    OpenReport report;
    if (!FileExists(PathFromUtf8(file))) {
        report.failure = OpenFailure::FileMissing;
        report.message = file + " is not there";
        return report;
    }
    const ScanReport scan = ScanFile(file);
    if (!scan.read) {
        report.failure = OpenFailure::FileUnreadable;
        report.message = scan.message.value_or(std::string(kMissingTplFileMessage));
        return report;
    }
    report.warning = scan.message;
    if (name.empty() || !templates_.Lookup(name)) {
        report.failure = OpenFailure::NotInFile;
        report.message = "Template \"" + name + "\" is not in the template file";
        return report;
    }
    const OpenedTemplate opened = OpenTemplate(templates_, name);
    if (!opened.ok) {
        report.failure = OpenFailure::CannotOpen;
        report.message = opened.error;
        return report;
    }
    DocumentState next = state_;
    next.name = opened.name;
    next.parent = opened.parent;
    next.typeText = opened.walk.typeText;
    next.grid = opened.grid;
    next.memo = std::string(kChainHeading);
    for (const std::string& line : opened.walk.ancestorLines) {
        next.memo += line + "\n";
    }
    const FileBytes bytes = ReadFileBytes(PathFromUtf8(file));
    next.description = bytes.bytes ? DescriptionAbove(*bytes.bytes, name) : std::string();
    next.origin = DocumentOrigin::Opened;
    next.templateFile = SameFile(PathFromUtf8(file), PathFromUtf8(settings_.JedTemplatePath()))
                            ? std::string()
                            : file;
    next.savedLine = opened.line;
    DocumentState before = state_;
    Restore(next);
    Push(std::make_unique<DocumentSteps::Whole>(*this, "Open " + name, std::move(before), state_));
    return report;
}

std::string TemplateDocument::ChainMemo(const std::string& parent) {
    if (parent.empty() || parent == "none" || parent == kBasedOnPlaceholder ||
        parent == kStartParent) {
        return std::string(kNoParentMemo);
    }
    std::string memo(kChainHeading);
    if (!EnsureScanned(TemplateFilePath()).read) {
        return memo;
    }
    if (const std::optional<std::string> line = templates_.Lookup(parent)) {
        memo += *line + "\n";
    }
    const ParentWalk walk = WalkParents(templates_, parent);
    for (const std::string& line : walk.ancestorLines) {
        memo += line + "\n";
    }
    if (!walk.ok) {
        memo += walk.error + "\n";
    }
    return memo;
}

void TemplateDocument::SetName(const std::string& name) {
    if (name == state_.name) {
        return;
    }
    auto step = std::make_unique<DocumentSteps::Box>(*this, DocumentSteps::Box::Which::Name,
                                                     state_.name, name, state_.memo, state_.memo);
    step->Redo();
    Push(std::move(step));
}

void TemplateDocument::SetParent(const std::string& parent) {
    if (parent == state_.parent) {
        return;
    }
    auto step =
        std::make_unique<DocumentSteps::Box>(*this, DocumentSteps::Box::Which::Parent,
                                             state_.parent, parent, state_.memo, ChainMemo(parent));
    step->Redo();
    Push(std::move(step));
}

bool TemplateDocument::ChangeType(const std::string& text) {
    ParamGrid grid;
    if (!LoadGridMain(grid, text)) {
        // Only the box's text: the rows, and so the template, stay as they are.
        state_.typeText = text;
        Notify(DocumentChange::Boxes);
        return false;
    }
    DocumentState next = state_;
    next.typeText = text;
    next.grid = std::move(grid);
    DocumentState before = state_;
    Restore(next);
    Push(std::make_unique<DocumentSteps::Whole>(*this, "type change", std::move(before), state_));
    return true;
}

void TemplateDocument::SetValue(std::size_t row, const std::string& value) {
    if (row >= state_.grid.RowCount() || state_.grid.Row(row).value == value) {
        return;
    }
    auto step =
        std::make_unique<DocumentSteps::Value>(*this, row, state_.grid.Row(row).value, value);
    step->Redo();
    Push(std::move(step));
    // Each value is a step of its own, however it was written.
    history_.StopMerging();
}

void TemplateDocument::Undo() {
    history_.Undo();
    Notify(DocumentChange::History);
}

void TemplateDocument::Redo() {
    history_.Redo();
    Notify(DocumentChange::History);
}

std::optional<std::string> TemplateDocument::SaveRefusal() const {
    return skerry::SaveRefusal(state_.name, state_.parent);
}

std::vector<std::string> TemplateDocument::TemplatesSaveWouldDrop() const {
    const FileBytes newTpl = ReadFileBytes(PathFromUtf8(settings_.NewTplPath()));
    const FileBytes source = ReadFileBytes(PathFromUtf8(settings_.JedTemplatePath()));
    if (!newTpl.bytes || !source.bytes) {
        return {};  // nothing to drop, or a Save that will say why it cannot read
    }
    return TemplatesOnlyIn(*newTpl.bytes, *source.bytes, state_.name);
}

SaveReport TemplateDocument::Save(SaveKind kind,
                                  const std::function<std::string(const std::string&)>& describe) {
    SaveReport report;
    if (const std::optional<std::string> refusal = SaveRefusal()) {
        report.error = *refusal;
        return report;
    }
    const std::string line = Line();
    // A template new to the file gets its model's box, the model looked up in the containers
    // of the run.
    const SaveOutcome outcome = SaveTemplateLine(
        SaveFilesFor(settings_, kind), state_.name, line,
        [&] {
            state_.description = describe ? describe(state_.description) : std::string();
            return state_.description;
        },
        ContainerModelBounds(Containers()));
    if (!outcome.saved) {
        report.error = ExplainWorkDirFailure(settings_, outcome.error);
        if (outcome.error.starts_with("Cannot create file")) {
            report.error += kind == SaveKind::Append ? "\nNew.tpl and Old.tpl are as they were."
                                                     : "\nNew.tpl is as it was.";
        }
        return report;
    }
    // New.tpl changed under the tables when they hold it.
    if (SameFile(PathFromUtf8(scannedFile_), PathFromUtf8(settings_.NewTplPath()))) {
        scannedFile_.clear();
    }
    state_.savedLine = line;
    history_.StopMerging();
    Notify(DocumentChange::Boxes);
    report.saved = true;
    report.added = outcome.added;
    report.path = settings_.NewTplPath();
    return report;
}

std::vector<std::filesystem::path> TemplateDocument::Containers() const {
    std::vector<std::filesystem::path> containers;
    if (!resources_.CurrentPath().empty()) {
        containers.emplace_back(resources_.CurrentPath());
    }
    for (const std::filesystem::path& path : DialectContainers(settings_)) {
        if (containers.empty() || !SameFile(path, containers.front())) {
            containers.push_back(path);
        }
    }
    return containers;
}

ListedModel TemplateDocument::ReadModel(std::string_view model) const {
    // The open container is read already; the others only when it lacks the model.
    ListedModel listed = ReadListedModel(resources_, model);
    if (listed.status != ModelStatus::NotListed) {
        return listed;
    }
    std::vector<std::filesystem::path> containers = Containers();
    std::string searched;
    for (const std::filesystem::path& path : containers) {
        searched += (searched.empty() ? "" : ", ") + Utf8Of(path);
    }
    if (!resources_.CurrentPath().empty()) {
        containers.erase(containers.begin());
    }
    listed = ReadModelFromContainers(containers, model);
    if (listed.status == ModelStatus::NotListed) {
        listed.message = std::string(model) + " is not in " +
                         (searched.empty() ? std::string("any container") : searched);
    }
    return listed;
}

void TemplateDocument::Refinish() {
    // The tables of the file in use; a file that cannot be read leaves them as they are.
    EnsureScanned(TemplateFilePath());
    if (!source_ || sourceGeneration_ != templates_.Generation()) {
        source_ = std::make_unique<TemplateSource>();
        source_->AddTable(templates_.Templates());
        source_->Index(false);
        sourceGeneration_ = templates_.Generation();
    }
    // The containers change with the picker's container or the folders, not with an edit:
    // listing the folder every time would put a directory walk on each keystroke.
    std::string containersKey = resources_.CurrentPath() + '\n' + settings_.jkDir + '\n' +
                                settings_.motsDir + (settings_.motsDialect ? "\nmots" : "\njk");
    if (containersKey != radiiContainersKey_) {
        radii_.SetContainers(Containers());
        radiiContainersKey_ = std::move(containersKey);
    }
    finished_ = FinishGrid(
        *source_, GameInUse(), [this](std::string_view model) { return radii_.Radius(model); },
        state_.name, state_.parent, state_.grid);
    cells_ = FinishedCells(state_.grid, finished_);
    finishedStale_ = false;
}

const FinishedTemplate& TemplateDocument::Finished() {
    if (finishedStale_ || !source_ || sourceGeneration_ != templates_.Generation()) {
        Refinish();
    }
    return finished_;
}

const std::vector<ValueCell>& TemplateDocument::Cells() {
    Finished();
    return cells_;
}

}  // namespace skerry
