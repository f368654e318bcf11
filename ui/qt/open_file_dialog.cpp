#include "ui/qt/open_file_dialog.hpp"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include "ui/qt/qt_text.hpp"

namespace fragtide::ui {

QStringList runOpenFileDialog(QWidget* parent, const OpenFileRequest& request) {
    QFileDialog dialog(parent, toQString(request.title), toQString(pathText(request.initialFolder)));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The request's flags: Qt's open dialog only ever takes an existing file in an existing folder.
    if (request.fileMustExist)
        dialog.setFileMode(request.allowMultiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    else
        dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const OpenFileRequest::Filter& filter : request.filters)
        filters << toQString(filter.description);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(toQString(request.defaultSuffix));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

std::optional<ChosenExportFile> runSaveFileDialog(QWidget* parent, const ExportFileRequest& request) {
    QFileDialog dialog(parent, toQString(request.title),
                       QDir(toQString(pathText(request.initialFolder))).filePath(toQString(pathText(request.defaultName))));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!request.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const ExportFileRequest::Filter& filter : request.filters)
        filters << toQString(filter.description);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(toQString(request.defaultSuffix));
    // "*.csv" chosen: a typed name without a suffix gets ".csv", as the filter promises.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &request, filters](const QString& chosen) {
        const auto index = filters.indexOf(chosen);
        if (index < 0)
            return;
        QString suffix = toQString(request.filters[static_cast<std::size_t>(index)].patterns);
        suffix.remove(QStringLiteral("*."));
        dialog.setDefaultSuffix(suffix);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const auto filter = filters.indexOf(dialog.selectedNameFilter());
    return ChosenExportFile{toPath(dialog.selectedFiles().front()), filter < 0 ? 0 : static_cast<int>(filter)};
}

std::optional<QString> runSeasonFileDialog(QWidget* parent, const SeasonFileRequest& request) {
    QFileDialog dialog(parent, toQString(request.title), toQString(pathText(request.initialFolder)));
    dialog.setAcceptMode(request.create ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.create ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // An existing season is opened, never replaced: there is nothing to confirm.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
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
