#pragma once

#include <string_view>

// The engine's own words, spelled exactly as users have always seen them.
namespace fragtide::engine::texts {

inline constexpr std::string_view kLargeFilePrompt =
    "This file is larger than 1 Megabyte. Are you sure you wish to analyze it (it could take "
    "several minutes)?";
inline constexpr std::string_view kLargeFileTitle = "Large File Size.";
inline constexpr std::string_view kErrorTitle = "Error.";
inline constexpr std::string_view kPlayerCountPrefix = "Total players : ";
// Added after the reason when a log cannot be read from the window.
inline constexpr std::string_view kChooseAnotherFile = "Choose another file with Browse.";
// Several logs analysed as one, some of which could not be read: this, then one line per log.
inline constexpr std::string_view kLogsLeftOut =
    "These logs could not be read, so the results shown leave them out:";

}  // namespace fragtide::engine::texts
