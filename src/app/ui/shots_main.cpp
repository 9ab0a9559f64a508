#include <QDir>
#include <QFile>
#include <QString>

#include "app/ui/artwork.hpp"
#include "app/ui/screenshot_tour.hpp"
#include "app/ui/skerry_application.hpp"

// skerry-shots --icon FILE.ico: writes the program's icon for the Windows executable.
// skerry-shots FOLDER [SETTINGS_FILE]: renders the editor's windows offscreen into PNG files
// in FOLDER. The settings file defaults to FOLDER/../config/Harrowmoor/SKERRY.conf, the one
// `make run` gives the editor, so the user's own settings are never read or written.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    skerry::ui::SkerryApplication app(argc, argv);
    if (argc == 3 && QString::fromLatin1(argv[1]) == QStringLiteral("--icon")) {
        QFile file(QString::fromLocal8Bit(argv[2]));
        return file.open(QIODevice::WriteOnly) && file.write(skerry::ui::SkerryIconFile()) > 0 ? 0
                                                                                               : 1;
    }
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    const QString settingsFile =
        argc > 2
            ? QString::fromLocal8Bit(argv[2])
            : QDir(folder).absoluteFilePath(QStringLiteral("../config/Harrowmoor/SKERRY.conf"));
    // Real game files beside the project, where there are any, for one more picture.
    const QString realData = QStringLiteral(SKERRY_REALDATA_DIR);
    return skerry::ui::RunScreenshotTour(folder, QDir::cleanPath(settingsFile), realData) == 0 ? 0
                                                                                               : 1;
}
