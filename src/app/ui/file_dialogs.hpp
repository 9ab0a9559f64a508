#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace skerry::ui {

// What a browse button asks of the open-file dialog.
struct OpenFileRequest {
    QString title;
    QStringList filters;  // "Description (patterns)" entries
    int filterIndex = 0;  // the entry selected at first, counted from 0
    QString proposedName;
};

// Every open-file dialog goes through here, so that tests answer it instead of a person.
// The handler returns the chosen file, or nothing when the user cancelled.
using OpenFileHandler = std::function<std::optional<QString>(QWidget*, const OpenFileRequest&)>;

std::optional<QString> AskOpenFile(QWidget* parent, const OpenFileRequest& request);

// Replaces the handler; returns the one in place. An empty handler restores the real dialog.
OpenFileHandler SetOpenFileHandler(OpenFileHandler handler);

}  // namespace skerry::ui
