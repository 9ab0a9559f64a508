#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/resource_state.hpp"
#include "settings/settings.hpp"
#include "settings/settings_store.hpp"
#include "template/template_store.hpp"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QToolButton;
class QPushButton;
class QSplitter;

namespace skerry::ui {

class UniformRowDelegate;

// The Resource Picker: lists the entries of one kind from the open container (or template
// names), shows what the clicked one holds, a texture as a picture, and hands the chosen
// name back to the main window.
class TRes : public QDialog {
    Q_OBJECT
  public:
    TRes(Settings& settings, TemplateStore& templates);

    // Shows the picker maximised and modal. The chosen name on OK; nothing when it was closed
    // any other way (Cancel, Esc, the close box).
    std::optional<std::string> Choose();

    // Opens the Jedi Knight container; false, with the message shown, when there is none.
    // Start-up then lets the user settle the dialect and calls ListDialectContainers.
    bool FormCreate();
    // Lists the containers of the run's dialect in Cb1.
    void ListDialectContainers();

    // The window's size and place, its splitters, and the container and colormap chosen
    // last, kept between runs. The container comes back when the dialect lists it.
    void SaveLayout(SettingsStore& store) const;
    void RestoreLayout(SettingsStore& store);
    // The file name of the open container; empty before one is open.
    std::string OpenContainerName() const;
    void FormShow();
    void FormHide();
    void GetGobs(const std::string& path);
    void GetCmps();
    void StoreCmps();
    void PalBoxChange();
    void GetRes(const std::string& extension, bool clearFirst);
    void LB1Click();
    void Cb1Change(const QString& text);
    void BBokClick();
    void BBCloseClick();
    void EDChange(const QString& text);
    void BmpsaveClick();

    // Resource mode lists container entries; otherwise the list holds template names.
    void SetResourceMode(bool resourceMode) { resourceMode_ = resourceMode; }
    bool ResourceMode() const { return resourceMode_; }

    void ClearList();
    // Adds names to the visible list, which stays in picker order.
    void AddNames(const std::vector<std::string>& names);
    const std::vector<std::string>& ListedNames() const { return listed_; }

    const ResourceState& Resources() const { return resources_; }
    std::size_t SelectedColormap() const { return selectedColormap_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QWidget* Pnl2 = nullptr;
    QComboBox* Cb1 = nullptr;
    QComboBox* PalBox = nullptr;
    QToolButton* Bmpsave = nullptr;
    QListWidget* LB2 = nullptr;
    QListWidget* FLB1 = nullptr;
    QListWidget* LB1 = nullptr;
    QLabel* Image = nullptr;
    QWidget* Panel3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPlainTextEdit* Memo = nullptr;
    QLineEdit* ED = nullptr;
    QPushButton* BBok = nullptr;
    QPushButton* BBClose = nullptr;

    void BuildLayout();
    // A pick from the container box: loads that container even when the box's text already
    // named it, so a container changed on disk can be read again.
    void Cb1Activated(const QString& text);
    // Lists the containers of a directory into Cb1 (through the hidden lister FLB1).
    void ListContainers(const std::string& dir);
    void ShowTexture(std::size_t index, const std::string& item);
    void Export(const std::string& name);
    // A name's width in the list's font.
    int NameWidth(std::string_view name);

    Settings& settings_;
    TemplateStore& templates_;
    ResourceState resources_;
    bool resourceMode_ = true;
    bool colormapsLoaded_ = false;
    std::optional<QString> cb1JustLoaded_;  // the box's text loaded by this very change
    QString chosenColormap_;                // the colormap on show when the picker last hid
    bool placed_ = false;                   // a stored size and place was put back
    bool shown_ = false;                    // shown in this run
    QList<QSplitter*> splitters_;
    std::string lastExtension_;
    bool lastClear_ = true;
    std::vector<std::size_t> colormapEntries_;  // directory index of each PalBox item
    std::size_t selectedColormap_ = 0;
    std::string shownBmp_;                            // the texture on show, as BMP bytes
    std::vector<std::string> listed_;                 // LB1's names as bytes, in the list's order
    std::optional<std::array<int, 256>> charWidths_;  // in LB1's font, once measured
    UniformRowDelegate* rowSize_ = nullptr;           // LB1's rows, all one size
};

}  // namespace skerry::ui
