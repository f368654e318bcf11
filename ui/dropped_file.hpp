#pragma once

#include <QString>

#include <optional>

class QMimeData;

// What a drag onto the main window may carry: exactly one local file that exists. A folder,
// several files, a web address or text is refused.
namespace fragtide::ui {

std::optional<QString> droppedLogFile(const QMimeData* mime);

}  // namespace fragtide::ui
