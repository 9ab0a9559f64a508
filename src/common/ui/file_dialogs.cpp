#include "common/ui/file_dialogs.hpp"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>

namespace skerry::ui {

namespace {

FileDialogHandler& CurrentHandler() {
    static FileDialogHandler handler;
    return handler;
}

// The extension of a filter's first pattern, found by the text the dialog shows for it: "png"
// for "PNG picture (*.png)", shown as "PNG picture".
QString FilterExtension(const QStringList& filters, const QString& shown) {
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.([^ ;)*]+)"));
    for (const QString& filter : filters) {
        if (filter == shown || filter.startsWith(shown + QLatin1String(" ("))) {
            return pattern.match(filter).captured(1);
        }
    }
    return {};
}

std::optional<QString> Ask(QWidget* parent, const FileRequest& request) {
    if (const FileDialogHandler& handler = CurrentHandler()) {
        return handler(parent, request);
    }
    QFileDialog dialog(parent, request.title, request.directory);
    if (request.folder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return dialog.selectedFiles().first();
    }
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The patterns spell out every letter case; the descriptions say it plainly.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(request.filters);
    if (request.filterIndex >= 0 && request.filterIndex < request.filters.size()) {
        dialog.selectNameFilter(request.filters[request.filterIndex]);
    }
    dialog.selectFile(request.proposedName);
    if (request.save) {
        // A name typed without an extension takes the chosen filter's, and the dialog asks
        // before replacing the file of that full name.
        dialog.setDefaultSuffix(FilterExtension(request.filters, dialog.selectedNameFilter()));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &request](const QString& shown) {
                             dialog.setDefaultSuffix(FilterExtension(request.filters, shown));
                         });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

}  // namespace

std::optional<QString> AskOpenFile(QWidget* parent, FileRequest request) {
    request.save = false;
    request.folder = false;
    return Ask(parent, request);
}

std::optional<QString> AskSaveFile(QWidget* parent, FileRequest request) {
    request.save = true;
    request.folder = false;
    return Ask(parent, request);
}

std::optional<QString> AskFolder(QWidget* parent, FileRequest request) {
    request.save = false;
    request.folder = true;
    return Ask(parent, request);
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
    FileDialogHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

}  // namespace skerry::ui
