#include "season/season_schema.hpp"

#include <cstdio>
#include <string>

#include "engine/log_file.hpp"

namespace fragtide::season {
namespace {

constexpr std::string_view kMagic{"SQLite format 3\0", 16};

std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

// Version 1. Names and weapon words are raw log bytes: BLOBs, never text. A match's events are one
// BLOB of varints (event_codec.hpp); `tail` holds those of its file's last line while it is the
// file's last match, so that a grown file replaces exactly them.
constexpr std::string_view kSchema1 = R"sql(
CREATE TABLE meta(key TEXT PRIMARY KEY, value BLOB NOT NULL);
CREATE TABLE persons(id INTEGER PRIMARY KEY, name BLOB NOT NULL UNIQUE);
CREATE TABLE weapons(id INTEGER PRIMARY KEY, key BLOB NOT NULL, name BLOB NOT NULL, fixed_slot INTEGER NOT NULL,
                     UNIQUE(key, name, fixed_slot));
CREATE TABLE files(id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE, added INTEGER NOT NULL UNIQUE,
                   size INTEGER NOT NULL, head_bytes INTEGER NOT NULL, head_hash INTEGER NOT NULL,
                   mtime INTEGER NOT NULL, read_offset INTEGER NOT NULL, lines_before INTEGER NOT NULL,
                   lines INTEGER NOT NULL, teams_at_read BLOB NOT NULL, teams_at_end BLOB NOT NULL);
CREATE TABLE matches(id INTEGER PRIMARY KEY, file INTEGER NOT NULL REFERENCES files(id) ON DELETE CASCADE,
                     seq INTEGER NOT NULL, start_offset INTEGER NOT NULL, start INTEGER NOT NULL,
                     stamped INTEGER NOT NULL, start_kind INTEGER NOT NULL, map BLOB NOT NULL,
                     kills INTEGER NOT NULL, players INTEGER NOT NULL, top_fragger INTEGER,
                     events BLOB NOT NULL, tail BLOB NOT NULL, UNIQUE(file, seq));
)sql";

Error notASeason(const std::filesystem::path& path, std::string_view why) {
    return {ErrorKind::InvalidInput, "'" + engine::shownPath(path) + "' is not a season: " + std::string(why)};
}

Error newerSeason(const std::filesystem::path& path, std::int64_t version) {
    return {ErrorKind::InvalidInput, "the season '" + engine::shownPath(path) + "' was written by a newer Fragtide (version " +
                                         std::to_string(version) + " of the season file; this one reads up to " +
                                         std::to_string(kSchemaVersion) + ")"};
}

Result<std::string> readHead(const std::filesystem::path& path) {
    auto file = engine::LogFile::open(path);
    if (!file)
        return file.error();
    std::string head(4096, '\0');
    const auto got = file->readInto(head.data(), head.size());
    if (!got)
        return got.error();
    head.resize(*got);
    return head;
}

// From an empty file (or none) to version 1. Runs before WAL is set, so the header that
// classifyHead reads carries the application id from the first commit on.
Status migrateFrom0(Database& db) {
    std::string sql = "BEGIN IMMEDIATE;\nPRAGMA application_id = " + std::to_string(kApplicationId) + ";\n";
    sql += kSchema1;
    sql += "PRAGMA user_version = 1;\nCOMMIT;";
    if (Status done = db.exec(sql); !done) {
        (void)db.exec("ROLLBACK");
        return done;
    }
    return Ok{};
}

}  // namespace

FileKind classifyHead(std::string_view head) {
    if (head.empty())
        return FileKind::Empty;
    if (head.size() < 100 || !head.starts_with(kMagic))
        return FileKind::NotSQLite;
    const std::uint32_t application = bigEndian32(head, 68);
    if (application == static_cast<std::uint32_t>(kApplicationId))
        return FileKind::Season;
    if (application != 0)
        return FileKind::OtherApp;
    // No application id: only a database that holds nothing at all may become a season, one whose
    // first page is an empty table leaf, in a rollback journal (a WAL might hold more than the file).
    const std::uint32_t pages = bigEndian32(head, 28);
    const bool walMode = head[18] == 2 || head[19] == 2;
    if (pages == 1 && !walMode && bigEndian32(head, 60) == 0 && head.size() >= 105 &&
        static_cast<unsigned char>(head[100]) == 0x0D && head[103] == 0 && head[104] == 0)
        return FileKind::Empty;
    return FileKind::OtherApp;
}

Result<Database> openSeasonFile(const std::filesystem::path& path, bool create, std::chrono::milliseconds busyTimeout) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (!exists && !create)
        return Error{ErrorKind::NotFound, "there is no season '" + engine::shownPath(path) +
                                              "': create it by adding logs to it"};
    if (exists) {
        if (std::filesystem::is_directory(path, ec))
            return Error{ErrorKind::NotAFile, "cannot open the season '" + engine::shownPath(path) +
                                                  "': it is a folder, not a file"};
        auto head = readHead(path);
        if (!head)
            return head.error();
        switch (classifyHead(*head)) {
        case FileKind::NotSQLite:
            return notASeason(path, "it is no SQLite database");
        case FileKind::OtherApp:
            return notASeason(path, "it is another program's database");
        case FileKind::Season:
            if (const std::int64_t version = bigEndian32(*head, 60); version > kSchemaVersion)
                return newerSeason(path, version);
            break;
        case FileKind::Empty:
            if (!create)
                return notASeason(path, "it is empty");
            break;
        }
    }
    auto db = Database::open(path, create);
    if (!db)
        return db.error();
    db->setBusyTimeout(busyTimeout);
    // The header's version may trail a WAL that another program has not checkpointed: ask SQLite
    // too, still before writing anything.
    auto version = db->queryInt("PRAGMA user_version");
    if (!version)
        return version.error();
    if (*version > kSchemaVersion)
        return newerSeason(path, *version);
    if (*version == 0) {
        if (Status migrated = migrateFrom0(*db); !migrated)
            return migrated.error();
    }
    auto journal = db->prepare("PRAGMA journal_mode");
    if (!journal)
        return journal.error();
    auto row = journal->step();
    if (!row)
        return row.error();
    const bool wal = *row && journal->bytes(0) == "wal";
    journal->reset();
    if (!wal) {
        if (Status set = db->exec("PRAGMA journal_mode = WAL"); !set)
            return set.error();
    }
    if (Status set = db->exec("PRAGMA foreign_keys = ON; PRAGMA synchronous = NORMAL"); !set)
        return set.error();
    return db;
}

}  // namespace fragtide::season
