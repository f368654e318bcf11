#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "ui/form_controller.hpp"

class QWidget;

// The Browse and Export dialogs in Qt: the form controller's requests shown as file dialogs.
namespace fragtide::ui {

// The chosen existing files' full paths (several only when the request allows them), none when
// the dialog was cancelled. Modal.
QStringList runOpenFileDialog(QWidget* parent, const OpenFileRequest& request);

// The file to write and the filter selected, or nothing when the dialog was cancelled. Modal. The
// suffix added to a typed name without one follows the filter selected.
std::optional<ChosenExportFile> runSaveFileDialog(QWidget* parent, const ExportFileRequest& request);

// File, New Season... (a save dialog that never asks about replacing) or Open Season...: the
// chosen file's full path, or nothing when cancelled. Modal.
std::optional<QString> runSeasonFileDialog(QWidget* parent, const SeasonFileRequest& request);

}  // namespace fragtide::ui
