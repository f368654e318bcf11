#include "ui/report_export.hpp"

#include <system_error>

#include "export/csv_export.hpp"
#include "export/html_export.hpp"
#include "ui/form_controller.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {

namespace fs = std::filesystem;

namespace {

// ASCII lower case only: the extensions compared are ASCII, and a byte of a name in another
// encoding must not be mistaken for one of their letters.
std::string asciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool isFolder(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

}  // namespace

ExportFileRequest exportRequest(std::span<const engine::LogSetFile> files, const fs::path& lastFolder,
                                const fs::path& programFolder) {
    ExportFileRequest request;
    request.title = std::string(texts::kExportTitle);
    request.filters = {{std::string(texts::kExportHtmlFilter), "*.html"},
                       {std::string(texts::kExportCsvFilter), "*.csv"}};
    request.defaultSuffix = "html";

    std::error_code error;
    fs::path firstFolder;
    if (!files.empty())
        firstFolder = fs::absolute(files.front().path, error).parent_path();
    if (isFolder(lastFolder))
        request.initialFolder = lastFolder;
    else if (isFolder(firstFolder))
        request.initialFolder = firstFolder;
    else
        request.initialFolder = programFolder;

    fs::path stem = textPath(texts::kExportDefaultStem);
    if (files.size() == 1) {
        stem = files.front().path.stem();
    } else if (!files.empty()) {
        bool oneFolder = true;
        for (const engine::LogSetFile& file : files)
            oneFolder = oneFolder && file.path.parent_path() == files.front().path.parent_path();
        if (oneFolder && !firstFolder.filename().empty())
            stem = firstFolder.filename();
    }
    if (stem.empty())
        stem = textPath(texts::kExportDefaultStem);
    request.defaultName = stem;
    request.defaultName += ".html";
    return request;
}

ExportFormat exportFormatFor(const fs::path& file, int filter) {
    const std::string extension = asciiLower(pathText(file.extension()));
    if (extension == ".html" || extension == ".htm")
        return ExportFormat::Html;
    if (extension == ".csv")
        return ExportFormat::Csv;
    return filter == 1 ? ExportFormat::Csv : ExportFormat::Html;
}

std::string exportDocument(ExportFormat format, const engine::StatsStore& store,
                           std::span<const engine::LogSetFile> files) {
    return format == ExportFormat::Html ? exports::htmlExport(store, files) : exports::csvExport(store);
}

}  // namespace fragtide::ui
