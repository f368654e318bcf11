#pragma once

#include <chrono>
#include <filesystem>

#include "season/season.hpp"
#include "season/sqlite_db.hpp"

// What a Season holds, shared by the files that implement its parts (season.cpp, season_add.cpp,
// season_view.cpp). Not part of the interface.
namespace fragtide::season {

struct Season::Impl {
    std::filesystem::path path;
    Database db;
    std::chrono::milliseconds busyTimeout;
};

// The key under which the season remembers a log: its absolute path, made plain.
std::string pathKey(const std::filesystem::path& log);

Result<std::string> storedGame(Database& db);

}  // namespace fragtide::season
