#pragma once

#include <QStringList>

class QMimeData;

// What a drag onto the main window carries, as local paths: every URL of the drag when all of
// them are local files or folders, else none (a web address or text is refused whole). Whether
// the paths exist, and what they stand for, is the form controller's to decide.
namespace fragtide::ui {

QStringList droppedPaths(const QMimeData* mime);

}  // namespace fragtide::ui
