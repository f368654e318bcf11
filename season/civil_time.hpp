#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "season/season_view.hpp"

// Wall-clock times without a time zone: what a log stamp says, what a file's modification time
// reads on this computer's clock, and the text forms the command line and JSON use.
namespace fragtide::season {

// The seconds of year-month-day hh:mm:ss, or nothing when a field is out of range.
std::optional<CivilSeconds> civilSeconds(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// "YYYY-MM-DD" (the command line's dates), or nothing.
std::optional<CivilSeconds> parseDate(std::string_view text);

// "2026-11-03T20:15:00".
std::string isoText(CivilSeconds seconds);

// The file's modification time on this computer's wall clock; 0 when it cannot be read.
CivilSeconds modificationTime(const std::filesystem::path& path);

}  // namespace fragtide::season
