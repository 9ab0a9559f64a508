#pragma once

#include <QMainWindow>
#include <QPersistentModelIndex>
#include <memory>
#include <optional>
#include <string>

#include "app/picker_dispatch.hpp"
#include "app/template_document.hpp"
#include "editors/flag_editor.hpp"
#include "resources/picker_request.hpp"
#include "settings/recent_templates.hpp"
#include "settings/settings.hpp"
#include "settings/settings_store.hpp"
#include "template/param_grid.hpp"

class QAction;
class QComboBox;
class QMenu;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSplitter;
class QTableView;
class QToolButton;

namespace skerry::ui {

class AppWindows;
class FileCheckWindow;
class FinishedView;
class GridTableModel;
class HelpWindow;
class TKeys;

// The main window: name and parent boxes, the type box, the parameter grid, the template line
// view, the flag editor's bit list and the parent-chain memo. It shows the template document
// and sends it the user's commands; what a command does is decided by the document.
class TTplEd : public QMainWindow {
    Q_OBJECT
  public:
    // The store keeps the window's layout and the recent templates between runs.
    TTplEd(Settings& settings, TemplateDocument& document, SettingsStore& store);
    ~TTplEd() override;

    // The other six windows exist only after this one; start-up hands them over here, once
    // the run's dialect is settled.
    void AttachWindows(AppWindows& windows) {
        windows_ = &windows;
        ShowCommands();
    }

    // `skerry FILE.tpl` and "Open with Skerry": the picker lists the file's templates for Open.
    void OpenFileGiven(const QString& file);

    void FormCreate();
    void FormShow();
    void FormResize();
    void CB1Change(const QString& text);
    void SG1SelectCell(int column, int row);
    void MemoSelectionChange();
    void ViewSBClick();
    void DisplayAll();
    void DisplayWep(const std::string& base);
    void VectorResult();

    // Writes the text of an open cell editor into the grid. Every command that reads the grid
    // runs it first: a value typed and not yet confirmed is never lost.
    void CommitPendingEdit();

    // The flag editor: the bit list CLB1 and the Flag button under the grid.
    void GetFlag(std::string_view key);
    void GetTypeFlag();
    void SortFlag();
    void FlagOKClick();
    void CLB1Click();

    // The file commands (their code lives with the template files they work on).
    void New1Click();
    void Open1Click();
    void OpenNewtpl1Click();
    void BasedOnEClick();
    void SaveAS1Click();
    void AppendtoNewtpl1Click();
    void VNewtpl1Click();
    void CopyNewClick();
    // File > Put into level (its code lives in tpl_ed_level_commands.cpp).
    void PutIntoLevel1Click();

    void Exit1Click();
    void Options1Click();
    void AboutSkerry1Click();
    void TemplateChecks1Click();
    // View > Check template file: the whole-file check of the file the names come from.
    void CheckTemplateFile1Click();
    void HelpContents1Click();
    void KeyboardShortcuts1Click();
    // Edit > Undo and Redo, over every change to the template.
    void Undo1Click();
    void Redo1Click();

    // The value cells of size and movesize offer the radius of the model the model3d row
    // names (the menu's code lives in tpl_ed_value_menu.cpp).
    void SG1ContextMenu(const QPoint& position);
    void RadiusOfModel1Click();

    // File > Open Recent: opens the template as Open does, without the picker. An entry
    // whose file or template is gone says so and leaves the list.
    void OpenRecent(const RecentTemplate& recent);
    const RecentTemplates& Recent() const { return recent_; }

    // The window's size, place and splitter, kept between runs. Restore is false when
    // nothing usable was stored (the first run).
    void SaveLayout();
    bool RestoreLayout();

    const ParamGrid& Grid() const { return document_.Grid(); }
    TemplateDocument& Document() { return document_; }
    FinishedView& Finished() { return *finished_; }
    GridTableModel& GridModel() { return *gridModel_; }
    int CurrentRow() const { return currentRow_; }
    bool VectorMode() const { return vectorMode_; }
    bool SingleValueMode() const { return flags_.SingleValueMode(); }

  protected:
    void showEvent(QShowEvent* event) override;
    // The close box and Exit ask before a changed template is lost.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The controls, by the names the window descriptions give them; they are also their
    // object names, by which code outside the window finds them.
    QLineEdit* TplNameE = nullptr;
    QLineEdit* BasedOnE = nullptr;
    QComboBox* CB1 = nullptr;
    QToolButton* ViewSB = nullptr;
    QToolButton* VNtpl = nullptr;
    QToolButton* FlagOK = nullptr;
    QTableView* SG1 = nullptr;
    QPlainTextEdit* RE1 = nullptr;
    QListWidget* CLB1 = nullptr;
    QPlainTextEdit* Memo = nullptr;
    QLabel* SBarPanels[3] = {};
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* OpenNewtpl1 = nullptr;
    QAction* SaveAS1 = nullptr;
    QAction* AppendtoNewtpl1 = nullptr;
    QAction* CopyNew = nullptr;
    QAction* PutIntoLevel1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* Templateline1 = nullptr;
    QAction* VNewtpl1 = nullptr;
    QAction* TemplateChecks1 = nullptr;
    QAction* CheckTemplateFile1 = nullptr;
    QAction* WhatTheGameUses1 = nullptr;
    QAction* Options1 = nullptr;
    QAction* HelpContents1 = nullptr;
    QAction* AboutSkerry1 = nullptr;
    QMenu* OpenRecent1 = nullptr;
    QAction* KeyboardShortcuts1 = nullptr;
    QSplitter* splitter_ = nullptr;
    QMenu* ValueMenu = nullptr;
    QAction* RadiusOfModel1 = nullptr;

    void BuildMenus();
    void BuildLevelMenu(QMenu* file);
    void BuildValueMenu();
    void BuildLayout();
    // The document changed: redraw what shows that part of it.
    void DocumentChanged(DocumentChange change, std::size_t row);
    // The boxes, the memo, the title, and which commands can be used now.
    void ShowFields();
    void ShowCommands();
    void RunPickerAction(const PickerAction& action, std::vector<std::string>& extensions);
    // Shows the picker over what the request offers: the chosen name, or nothing.
    std::optional<std::string> ShowPicker(const PickerRequest& request);
    // Offers a request's names for the current row, and writes the pick there.
    void PickForCurrentRow(const PickerRequest& request);
    // Shows what a scan of the template file has to say.
    void Tell(const ScanReport& report);
    // After a grid load: the bit list belongs to the old rows, columns fit.
    void GridLoaded();
    // The value of the current row, or empty when the grid has no such row.
    std::string CurrentValue() const;
    // Writes into the value cell of the current row, if the grid still has that row.
    void SetCurrentValue(const std::string& value);
    // Open and Open New.tpl, which differ only in the file the template is chosen from.
    void OpenFrom(const std::string& file);
    // Opens a template of a file and shows it; why not, when it cannot be opened (and the
    // template on the grid stays).
    std::optional<std::string> OpenTemplate(const std::string& file, const std::string& name);
    // Save and Append, by kind: checks, the question before templates would be dropped, and
    // the rebuild of New.tpl; false, with the message shown, when nothing was written.
    bool SaveTemplate(SaveKind kind);
    // The findings of the whole-file check of path, a note above them; a template chosen
    // there is opened from openFrom.
    void ShowFileCheck(const std::string& path, const std::string& openFrom,
                       const QString& note = {});
    // Before a changed template is left: Save (true once saved), Discard (true), Cancel.
    bool ConfirmDiscard();
    // Puts a template first in File > Open Recent, and keeps the list.
    void Remember(const RecentTemplate& recent);
    void Forget(const RecentTemplate& recent);
    void FillRecentMenu();
    // CLB1 shows the flag editor's entries; the core holds them.
    void RedrawFlagList();
    // Hides the bit list and hides and disables the Flag button; writes nothing.
    void CloseFlagList();

    Settings& settings_;
    TemplateDocument& document_;
    SettingsStore& store_;
    RecentTemplates recent_;
    TKeys* keys_ = nullptr;
    AppWindows* windows_ = nullptr;
    HelpWindow* help_ = nullptr;
    FileCheckWindow* fileChecks_ = nullptr;
    std::unique_ptr<FinishedView> finished_;

    GridTableModel* gridModel_ = nullptr;

    int currentRow_ = 0;
    bool vectorMode_ = true;
    bool showingFields_ = false;  // the boxes are being set from the document, not typed into
    QString lastCopyTarget_;      // the file Copy's dialog was last given
    QString lastLevel_;           // the level last put into
    FlagEditor flags_;            // the bit list's entries, single-value mode, the kind's title
    bool shown_ = false;
    bool loadingGrid_ = false;
    int radiusRow_ = -1;      // the row the value menu was opened on
    std::string radiusText_;  // the radius it offers
    // The cell that was current when the mouse went down: a click on it opens its picker
    // again, since no selection change will.
    QPersistentModelIndex currentAtPress_;
};

}  // namespace skerry::ui
