#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Where the help document is, and how the legacy viewer is started on it.
namespace fragtide::ui {

// The help document for a program in `programFolder`: beside the program, else in
// ../share/fragtide; the path beside the program when neither exists.
std::filesystem::path findHelpFile(const std::filesystem::path& programFolder);

// "c:\windows\winhelp.exe " followed directly by `helpFilePath` (UTF-8): no quotes.
std::string helpCommandLine(std::string_view helpFilePath);

}  // namespace fragtide::ui
