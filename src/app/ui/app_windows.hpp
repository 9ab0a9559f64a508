#pragma once

#include <memory>

#include "app/template_document.hpp"
#include "resources/resource_state.hpp"
#include "settings/settings.hpp"
#include "settings/settings_store.hpp"
#include "settings/ui/tpl_opt.hpp"
#include "template/template_store.hpp"

namespace skerry::ui {

class TAboutBox;
class TCkr;
class TRes;
class TTplEd;
class TTplOpt;
class TVector;
class Ttpl_desc;

// What the windows share: the settings, where they persist, the template tables, the open
// container, and the template being edited. main() owns one.
struct AppState {
    explicit AppState(std::unique_ptr<SettingsStore> settingsStore)
        : store(std::move(settingsStore)) {}

    Settings settings;
    TemplateStore templates;
    ResourceState resources;
    TemplateDocument document{settings, templates, resources};
    std::unique_ptr<SettingsStore> store;
    ProgramFolders folders;  // the real ones unless a test gives others
};

// The seven windows, created once in their fixed order and kept until the program ends.
class AppWindows {
  public:
    explicit AppWindows(AppState& state);
    ~AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    // The windows' layouts and the picker's choices, kept between runs. Restore is false
    // when the main window has no stored place (the first run).
    bool RestoreLayout();
    void SaveLayout();

    TTplEd& TplEd() { return *tplEd_; }
    TTplOpt& TplOpt() { return *tplOpt_; }
    TRes& Res() { return *res_; }
    TAboutBox& AboutBox() { return *aboutBox_; }
    Ttpl_desc& TplDesc() { return *tplDesc_; }
    TVector& Vector() { return *vector_; }
    TCkr& Ckr() { return *ckr_; }

  private:
    AppState& state_;
    std::unique_ptr<TTplEd> tplEd_;
    std::unique_ptr<TTplOpt> tplOpt_;
    std::unique_ptr<TRes> res_;
    std::unique_ptr<TAboutBox> aboutBox_;
    std::unique_ptr<Ttpl_desc> tplDesc_;
    std::unique_ptr<TVector> vector_;
    std::unique_ptr<TCkr> ckr_;
};

}  // namespace skerry::ui
