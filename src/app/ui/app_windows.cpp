#include "app/ui/app_windows.hpp"

#include "app/ui/about_box.hpp"
#include "app/ui/tpl_ed.hpp"
#include "editors/ui/chkr.hpp"
#include "editors/ui/tpl_vec.hpp"
#include "resources/ui/res_picker.hpp"
#include "settings/ui/tpl_opt.hpp"
#include "template/ui/tpl_desc.hpp"

namespace skerry::ui {

AppWindows::AppWindows(AppState& state) : state_(state) {
    tplEd_ = std::make_unique<TTplEd>(state.settings, state.document, *state.store);
    tplOpt_ = std::make_unique<TTplOpt>(state.settings, *state.store, state.folders);
    res_ = std::make_unique<TRes>(state.settings, state.resources);
    if (res_->FormCreate()) {
        // Start-up is where the user settles the dialect for the run, once the Jedi Knight
        // container is known to be there.
        tplOpt_->exec();
        res_->ListDialectContainers();
    }
    aboutBox_ = std::make_unique<TAboutBox>();
    tplDesc_ = std::make_unique<Ttpl_desc>();
    vector_ = std::make_unique<TVector>();
    ckr_ = std::make_unique<TCkr>(state.templates, state.settings);
    tplEd_->AttachWindows(*this);
}

bool AppWindows::RestoreLayout() {
    res_->RestoreLayout(*state_.store);
    return tplEd_->RestoreLayout();
}

void AppWindows::SaveLayout() {
    tplEd_->SaveLayout();
    res_->SaveLayout(*state_.store);
}

// The dialogs go before the main window, the reverse of their creation.
AppWindows::~AppWindows() {
    ckr_.reset();
    vector_.reset();
    tplDesc_.reset();
    aboutBox_.reset();
    res_.reset();
    tplOpt_.reset();
    tplEd_.reset();
}

}  // namespace skerry::ui
