#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>

class QWidget;

// The Browse dialog: what it is asked for, and the Qt dialog that asks.
namespace fragtide::ui {

struct OpenFileRequest {
    QString title;
    QStringList filters;  // in the order offered, the first one selected
    QString initialDir;
    QString defaultSuffix;
};

// Browse's request for `game` (UTF-8): "Open " + game + " LOG File...", the game's log files
// first, then text files and all files; it opens in `lastFolder` when that is a folder, else in
// `programFolder`.
OpenFileRequest browseRequest(std::string_view game, const QString& lastFolder, const QString& programFolder);

// The chosen existing file's full path, or nothing when the dialog was cancelled. Modal.
std::optional<QString> runOpenFileDialog(QWidget* parent, const OpenFileRequest& request);

}  // namespace fragtide::ui
