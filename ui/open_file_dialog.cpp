#include "ui/open_file_dialog.hpp"

#include <QFileDialog>
#include <QStringList>

#include "ui/qt_text.hpp"

namespace fragtide::ui {

std::optional<QString> runOpenFileDialog(QWidget* parent, const OpenFileRequest& request) {
    QFileDialog dialog(parent, toQString(request.title), toQString(pathText(request.initialFolder)));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The request's flags: Qt's open dialog only ever takes an existing file in an existing folder.
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QStringList filters;
    for (const OpenFileRequest::Filter& filter : request.filters)
        filters << toQString(filter.description);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(toQString(request.defaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace fragtide::ui
