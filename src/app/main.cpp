#include "app/ui/app_windows.hpp"
#include "app/ui/skerry_application.hpp"
#include "app/ui/tpl_ed.hpp"
#include "settings/ui/qsettings_store.hpp"

int main(int argc, char** argv) {
    skerry::ui::SkerryApplication app(argc, argv);
    skerry::ui::AppState state(std::make_unique<skerry::ui::QSettingsStore>());
    skerry::ui::AppWindows windows(state);
    windows.TplEd().showMaximized();
    return app.exec();
}
