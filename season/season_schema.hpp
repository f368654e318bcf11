#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "common/result.hpp"
#include "season/sqlite_db.hpp"

// The season file's identity and layout: the checks made before anything is written to a file,
// the schema, and the migrations from every earlier version.
namespace fragtide::season {

// PRAGMA application_id of a season ("FRAG"): tells a season from another program's SQLite file.
inline constexpr std::int32_t kApplicationId = 0x46524147;
// PRAGMA user_version of the schema this program writes.
inline constexpr std::int64_t kSchemaVersion = 1;

// What the first bytes of a file say it is.
enum class FileKind {
    Empty,      // no bytes, or an SQLite file with no table and no application: may become a season
    Season,     // a season of some version (Database::userVersion tells which)
    NotSQLite,  // random bytes, a log, ...
    OtherApp,   // another program's SQLite file
};

// Looks at the header only (`head`: the file's first bytes, up to 4096 of them).
FileKind classifyHead(std::string_view head);

// Opens a season file that classifyHead accepted, refuses a newer version before writing anything,
// then sets WAL and foreign keys and brings the schema up to kSchemaVersion.
Result<Database> openSeasonFile(const std::filesystem::path& path, bool create, std::chrono::milliseconds busyTimeout);

}  // namespace fragtide::season
