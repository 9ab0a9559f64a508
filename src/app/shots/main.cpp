#include <QString>

#include "app/ui/screenshot_tour.hpp"
#include "app/ui/skerry_application.hpp"

// skerry-shots FOLDER: renders the editor's windows offscreen into PNG files.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    skerry::ui::SkerryApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    return skerry::ui::RunScreenshotTour(folder) == 0 ? 0 : 1;
}
