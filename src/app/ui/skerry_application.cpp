#include "app/ui/skerry_application.hpp"

#include <exception>

#include "app/ui/artwork.hpp"
#include "common/ui/messages.hpp"

namespace skerry::ui {

SkerryApplication::SkerryApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Skerry"));
    setApplicationDisplayName(QStringLiteral("Skerry"));
    setOrganizationName(QStringLiteral("Harrowmoor"));
    // One look on every platform, so the colours the windows set read the same everywhere.
    setStyle(QStringLiteral("Fusion"));
    // Every window carries the program's icon.
    setWindowIcon(SkerryIcon());
}

bool SkerryApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowMessage(nullptr, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowMessage(nullptr, QStringLiteral("An unexpected error ended the command."));
    }
    return false;
}

}  // namespace skerry::ui
