#include "app/ui/app_windows.hpp"
#include "app/ui/skerry_application.hpp"
#include "app/ui/tpl_ed.hpp"

int main(int argc, char** argv) {
    skerry::ui::SkerryApplication app(argc, argv);
    skerry::ui::AppState state;
    skerry::ui::AppWindows windows(state);
    windows.TplEd().showMaximized();
    return app.exec();
}
