#include "app/ui/file_dialogs.hpp"

#include <QFileDialog>

namespace skerry::ui {

namespace {

OpenFileHandler& CurrentHandler() {
    static OpenFileHandler handler;
    return handler;
}

}  // namespace

std::optional<QString> AskOpenFile(QWidget* parent, const OpenFileRequest& request) {
    if (const OpenFileHandler& handler = CurrentHandler()) {
        return handler(parent, request);
    }
    QFileDialog dialog(parent, request.title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The patterns spell out every letter case; the descriptions say it plainly.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(request.filters);
    if (request.filterIndex >= 0 && request.filterIndex < request.filters.size()) {
        dialog.selectNameFilter(request.filters[request.filterIndex]);
    }
    dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

OpenFileHandler SetOpenFileHandler(OpenFileHandler handler) {
    OpenFileHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

}  // namespace skerry::ui
