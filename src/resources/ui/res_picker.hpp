#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/picker_request.hpp"
#include "resources/resource_state.hpp"
#include "settings/settings.hpp"
#include "settings/settings_store.hpp"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QToolButton;
class QPushButton;
class QSpinBox;
class QSplitter;
class QStackedWidget;

namespace skerry::ui {

class ModelView;
class NameList;
class UniformRowDelegate;

// The Resource Picker: lists the entries of some kinds from the open container (or template
// names), shows what the clicked one holds, a texture or a model as a picture, and hands the
// chosen name back to the window that asked.
class TRes : public QDialog {
    Q_OBJECT
  public:
    // The container it lists is the program's; the picker opens others into it.
    TRes(Settings& settings, ResourceState& resources);

    // Shows the picker maximised and modal over what the request offers. The chosen name on
    // OK; nothing when it was closed any other way (Cancel, Esc, the close box) or OK found
    // the name box empty.
    std::optional<std::string> Choose(const PickerRequest& request);
    // Lists what the request offers and starts the name box from it, without showing the
    // picker: what Choose does first.
    void Prepare(const PickerRequest& request);

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
    void LB1Click();
    void Cb1Change(const QString& text);
    void BBokClick();
    void BBCloseClick();
    void EDChange(const QString& text);
    void BmpsaveClick();
    // Shows another cel of the texture on show.
    void CelBoxChange(int cel);
    // The picture's context menu: the texture on show as a PNG or BMP file of the user's
    // choosing.
    void SavePictureAsClick();

    // The list holds container entries, not template names.
    bool ResourceMode() const { return request_.kind == PickerRequest::Kind::Resources; }

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
    NameList* LB1 = nullptr;
    QSpinBox* CelBox = nullptr;
    QToolButton* ResetView = nullptr;
    QStackedWidget* Picture = nullptr;  // the texture's image or the model's view
    QWidget* ImageArea = nullptr;
    QLabel* Image = nullptr;
    QAction* SavePictureAs = nullptr;
    ModelView* Model = nullptr;
    QWidget* Panel3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPlainTextEdit* Memo = nullptr;
    QLineEdit* ED = nullptr;
    QPushButton* BBok = nullptr;
    QPushButton* BBClose = nullptr;

    void BuildLayout();
    // Fills the visible list with what the request offers, in picker order.
    void ListRequest();
    // Nothing on show: the last showing's texture or model is not this one's.
    void ClearPicture();
    // A pick from the container box: loads that container even when the box's text already
    // named it, so a container changed on disk can be read again.
    void Cb1Activated(const QString& text);
    // Lists the containers of a directory into Cb1 (through the hidden lister FLB1).
    void ListContainers(const std::string& dir);
    // Shows one cel of a texture entry; false, with the message shown, when it cannot.
    bool ShowTexture(std::size_t index, const std::string& item, std::int32_t cel);
    // Shows a model entry; false, with the message shown, when it cannot be read. A name not
    // in the container shows nothing.
    bool ShowModel(const std::string& item);
    // Gives the picture area to the texture's image or to the model's view.
    void ShowPicture(QWidget* shown);
    // An entry's bytes as the memo shows them: up to the first zero byte.
    QString EntryText(std::size_t index) const;
    void Export(const std::string& name);
    // A name's width in the list's font.
    int NameWidth(std::string_view name);

    Settings& settings_;
    ResourceState& resources_;
    PickerRequest request_;  // what this showing offers
    bool colormapsLoaded_ = false;
    std::optional<QString> cb1JustLoaded_;  // the box's text loaded by this very change
    QString chosenColormap_;                // the colormap on show when the picker last hid
    bool placed_ = false;                   // a stored size and place was put back
    bool shown_ = false;                    // shown in this run
    QList<QSplitter*> splitters_;
    std::vector<std::size_t> colormapEntries_;  // directory index of each PalBox item
    std::size_t selectedColormap_ = 0;
    std::string shownBmp_;             // the texture on show, as BMP bytes
    std::string shownBmpName_;         // its item, which names the file Save picture as proposes
    std::string shownItem_;            // the item whose texture or model is on show
    QString colormapHint_;             // PalBox's hint for a texture the colormap colours
    QString pictureFolder_;            // where Save picture as last saved
    std::vector<std::string> listed_;  // LB1's names as bytes, in the list's order
    std::optional<std::array<int, 256>> charWidths_;  // in LB1's font, once measured
    UniformRowDelegate* rowSize_ = nullptr;           // LB1's rows, all one size
};

}  // namespace skerry::ui
