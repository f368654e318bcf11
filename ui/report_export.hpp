#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "engine/log_set.hpp"

// File, Export Report...: what the save dialog is asked, what its answer means, and the document
// written. Toolkit-free, like the form controller that uses it.
//
// The document is made by the same functions as `fragtide-report --export`, so that the window's
// export of some logs is byte for byte the command line's export of the same logs.
namespace fragtide::engine {
class StatsStore;
}

namespace fragtide::ui {

enum class ExportFormat { Html, Csv };

// The save dialog's request. Filters in the order offered, the first selected: the text shown
// and its pattern ("HTML page (*.html)" and "*.html"), ExportFormat's order.
struct ExportFileRequest {
    struct Filter {
        std::string description;
        std::string patterns;
    };
    std::string title;                    // "Export Report"
    std::vector<Filter> filters;
    std::filesystem::path initialFolder;  // the last export's folder, else the first log's
    std::filesystem::path defaultName;    // a file name without folder: "match1.html"
    std::string defaultSuffix;            // "html", added by the dialog to a typed name without one
    // The dialog asks before an existing file is replaced (on Win32: OFN_OVERWRITEPROMPT).
    bool overwritePrompt = true;
};

// The save dialog's answer: the file's full path and the filter selected (a position in
// ExportFileRequest::filters).
struct ChosenExportFile {
    std::filesystem::path path;
    int filter = 0;
};

// The request for an analysis of `files` (in reading order). The default name is the one log's
// name, or the name of the one folder several logs came from, with ".html"; "fragtide.html" for
// logs from several folders. It opens in `lastFolder` when that is a folder, else in the first
// log's folder, else in `programFolder`.
ExportFileRequest exportRequest(std::span<const engine::LogSetFile> files,
                                const std::filesystem::path& lastFolder,
                                const std::filesystem::path& programFolder);

// The format of `file`: its extension (".html", ".htm" or ".csv", any case) decides; a name
// without one of these takes the format of the selected `filter`. The name is never changed: a
// name the dialog did not confirm for overwriting is never written.
ExportFormat exportFormatFor(const std::filesystem::path& file, int filter);

// The document of `store` and `files` in `format`, as the command line writes it.
std::string exportDocument(ExportFormat format, const engine::StatsStore& store,
                           std::span<const engine::LogSetFile> files);

}  // namespace fragtide::ui
