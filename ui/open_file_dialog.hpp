#pragma once

#include <QString>

#include <optional>

#include "ui/form_controller.hpp"

class QWidget;

// The Browse dialog in Qt: the form controller's request shown as a file dialog.
namespace fragtide::ui {

// The chosen existing file's full path, or nothing when the dialog was cancelled. Modal.
std::optional<QString> runOpenFileDialog(QWidget* parent, const OpenFileRequest& request);

}  // namespace fragtide::ui
