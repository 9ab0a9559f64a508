#include "common/ui/file_dialogs.hpp"

#include <QDir>
#include <QFileDialog>

namespace skerry::ui {

namespace {

FileDialogHandler& CurrentHandler() {
    static FileDialogHandler handler;
    return handler;
}

std::optional<QString> Ask(QWidget* parent, const FileRequest& request) {
    if (const FileDialogHandler& handler = CurrentHandler()) {
        return handler(parent, request);
    }
    QFileDialog dialog(parent, request.title, request.directory);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
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

}  // namespace

std::optional<QString> AskOpenFile(QWidget* parent, FileRequest request) {
    request.save = false;
    return Ask(parent, request);
}

std::optional<QString> AskSaveFile(QWidget* parent, FileRequest request) {
    request.save = true;
    return Ask(parent, request);
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
    FileDialogHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

}  // namespace skerry::ui
