#include "ui/help_file.hpp"

#include <system_error>

#include "ui/form_controller.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {

namespace fs = std::filesystem;

std::string helpCommandLine(std::string_view helpFilePath) {
    std::string command(texts::kWinHelpCommand);
    command += helpFilePath;
    return command;
}

fs::path findHelpFile(const fs::path& programFolder) {
    const fs::path name = textPath(texts::kHelpFileName);
    const fs::path beside = programFolder / name;
    std::error_code error;
    if (fs::is_regular_file(beside, error))
        return fs::path(beside).make_preferred();
    const fs::path installed = programFolder / ".." / "share" / "fragtide" / name;
    if (fs::is_regular_file(installed, error))
        return installed.lexically_normal().make_preferred();
    return fs::path(beside).make_preferred();
}

}  // namespace fragtide::ui
