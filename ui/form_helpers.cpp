#include <system_error>

#include "engine/log_file.hpp"
#include "ui/form_controller.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {

namespace fs = std::filesystem;

OpenFileRequest browseRequest(std::string_view game, const fs::path& lastFolder, const fs::path& programFolder) {
    OpenFileRequest request;
    request.title = std::string(texts::kOpenTitlePrefix) + std::string(game) + std::string(texts::kOpenTitleSuffix);
    request.filters = {{std::string(game) + std::string(texts::kGameLogFilterSuffix), "*.log"},
                       {std::string(texts::kTextFilesFilter), "*.txt"},
                       {std::string(texts::kAllFilesFilter), "*.*"}};
    std::error_code error;
    request.initialFolder = !lastFolder.empty() && fs::is_directory(lastFolder, error) ? lastFolder : programFolder;
    request.defaultSuffix = std::string(texts::kDefaultSuffix);
    request.allowMultiple = true;
    return request;
}

std::string chosenFilesText(const std::vector<fs::path>& paths) {
    if (paths.size() == 1)
        return pathText(paths.front().filename());
    return std::to_string(paths.size()) + std::string(texts::kFilesSuffix);
}

std::string pathText(const fs::path& path) {
    return engine::shownPath(path);
}

fs::path textPath(std::string_view utf8) {
    return engine::pathFromText(utf8);
}

}  // namespace fragtide::ui
