#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace skerry::ui {

// What a command asks of the file dialog.
struct FileRequest {
    QString title;
    QStringList filters;  // "Description (patterns)" entries
    int filterIndex = 0;  // the entry selected at first, counted from 0
    QString proposedName;
    QString directory;  // where the dialog opens; empty: the platform's default
    // A save dialog: it asks before replacing a file, and a name typed without an extension
    // takes the chosen filter's.
    bool save = false;
    // A folder, not a file: the filters and the proposed name play no part.
    bool folder = false;
};

// Every file dialog goes through here, so that tests answer it instead of a person. The
// handler returns the chosen file, or nothing when the user cancelled.
using FileDialogHandler = std::function<std::optional<QString>(QWidget*, const FileRequest&)>;

std::optional<QString> AskOpenFile(QWidget* parent, FileRequest request);
std::optional<QString> AskSaveFile(QWidget* parent, FileRequest request);
// An existing folder; a folder the user makes in the dialog counts.
std::optional<QString> AskFolder(QWidget* parent, FileRequest request);

// Replaces the handler; returns the one in place. An empty handler restores the real dialog.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

}  // namespace skerry::ui
