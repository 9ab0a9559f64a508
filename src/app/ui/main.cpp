#include <QCoreApplication>
#include <QStringList>
#include <QTimer>
#include <QtGlobal>

#include "app/ui/app_windows.hpp"
#include "app/ui/skerry_application.hpp"
#include "app/ui/tpl_ed.hpp"
#include "settings/ui/qsettings_store.hpp"

int main(int argc, char** argv) {
#ifdef _WIN32
    // Under Wine, where many modders on Linux run their Windows tools, Qt's GDI font engine
    // leaves the text of every line edit unpainted. DirectWrite, which later Qt versions
    // choose by default, draws the same text on Windows and on Wine.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=directwrite");
    }
#endif
    skerry::ui::SkerryApplication app(argc, argv);
    skerry::ui::AppState state(std::make_unique<skerry::ui::QSettingsStore>());
    skerry::ui::AppWindows windows(state);
    if (windows.RestoreLayout()) {
        windows.TplEd().show();
    } else {
        // A size to come back to when the user leaves the maximised state.
        windows.TplEd().resize(1100, 760);
        windows.TplEd().showMaximized();
    }
    // `skerry FILE.tpl`, as the desktop's "Open with" gives it: once the window is up, the
    // picker lists the file's templates.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        QTimer::singleShot(0, &windows.TplEd(), [&windows, file = arguments.at(1)] {
            windows.TplEd().OpenFileGiven(file);
        });
    }
    const int status = app.exec();
    windows.SaveLayout();
    return status;
}
