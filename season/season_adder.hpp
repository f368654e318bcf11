#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/game_catalogue.hpp"
#include "engine/kill_source.hpp"
#include "engine/stats_store.hpp"
#include "season/match_marks.hpp"
#include "season/match_writer.hpp"
#include "season/season_impl.hpp"

// The add of logs to a season, split over season_add.cpp (files: new, unchanged, grown, replaced)
// and season_add_read.cpp (reading one file into its matches). Not part of the interface.
namespace fragtide::season {

// A file is known again by the hash of this many first bytes (fewer while it is smaller).
inline constexpr std::uint64_t kHeadBytes = 64 << 10;

std::int64_t hashBytes(std::string_view bytes);
// Up to `count` bytes of the file from `from`; fewer at its end.
Result<std::string> readRange(const std::filesystem::path& path, std::uint64_t from, std::uint64_t count);

struct FileRow {
    std::int64_t id = 0;
    std::int64_t added = 0;
    std::uint64_t size = 0;
    std::uint64_t headBytes = 0;
    std::int64_t headHash = 0;
    std::uint64_t readOffset = 0;
    std::uint64_t linesBefore = 0;
    std::string teamsAtRead;
};

// Adds the logs of one add() call, one transaction per file.
class SeasonAdder {
public:
    SeasonAdder(Database& db, const std::filesystem::path& seasonPath, const AddOptions& options, AddSummary& summary)
        : m_seasonPath(seasonPath), m_db(db), m_options(options), m_summary(summary) {}

    Status run(const std::vector<std::filesystem::path>& logs);

private:
    Status chooseGame(const std::vector<std::filesystem::path>& files);
    // Ok for a file added, left alone or failed (named in the summary); an error stops the add.
    Status addFile(const std::filesystem::path& path);
    // Reads the file from its start, or a grown one from its last line, and writes its matches.
    // False when the log could not be read (named in the summary); an error is the season's own.
    Result<bool> analyse(const std::filesystem::path& path, const std::optional<FileRow>& grown, std::int64_t fileId,
                         std::uint64_t size, std::string_view head);
    Status rollbackWith(Error error) {
        (void)m_db.exec("ROLLBACK");
        return error;
    }

    const std::filesystem::path& m_seasonPath;
    Database& m_db;
    const AddOptions& m_options;
    AddSummary& m_summary;
    std::string m_game;
    bool m_gameStored = false;
    const engine::Game* m_gameDef = nullptr;
    std::unique_ptr<engine::KillSource> m_source;
    MatchMarks m_marks = MatchMarks::None;
    SeasonNumbers m_numbers{m_db};
    std::unordered_map<std::string, FileRow> m_known;  // by path, as the add began
    std::uint64_t m_done = 0;
    std::uint64_t m_total = 0;
};


}  // namespace fragtide::season
