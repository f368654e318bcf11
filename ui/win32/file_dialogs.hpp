#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "ui/form_ops.hpp"
#include "ui/report_export.hpp"

// The common file dialogs of Browse and Export Report, run modal over `owner`.
namespace fragtide::ui::win32 {

// Browse: the chosen existing files' full paths (several when the request allows it), or none
// when cancelled.
std::vector<std::filesystem::path> openLogFiles(HWND owner, const OpenFileRequest& request);

// Export Report: the file to write and the filter chosen, or nothing when cancelled.
std::optional<ChosenExportFile> saveExportFile(HWND owner, const ExportFileRequest& request);

// New Season (a save dialog that never asks about replacing) or Open Season: the chosen file's
// full path, or nothing when cancelled.
std::optional<std::filesystem::path> seasonFile(HWND owner, const SeasonFileRequest& request);

}  // namespace fragtide::ui::win32
