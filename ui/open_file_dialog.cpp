#include "ui/open_file_dialog.hpp"

#include <QFileDialog>
#include <QFileInfo>

#include "ui/qt_text.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {

OpenFileRequest browseRequest(std::string_view game, const QString& lastFolder, const QString& programFolder) {
    const QString name = toQString(game);
    OpenFileRequest request;
    request.title = toQString(texts::kOpenTitlePrefix) + name + toQString(texts::kOpenTitleSuffix);
    request.filters = {name + toQString(texts::kGameLogFilterSuffix), toQString(texts::kTextFilesFilter),
                       toQString(texts::kAllFilesFilter)};
    request.initialDir = !lastFolder.isEmpty() && QFileInfo(lastFolder).isDir() ? lastFolder : programFolder;
    request.defaultSuffix = toQString(texts::kDefaultSuffix);
    return request;
}

std::optional<QString> runOpenFileDialog(QWidget* parent, const OpenFileRequest& request) {
    QFileDialog dialog(parent, request.title, request.initialDir);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace fragtide::ui
