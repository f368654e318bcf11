#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/result.hpp"
#include "season/season_view.hpp"

// A season: one SQLite file that keeps the kills of one game's logs, added and grown over time,
// with their matches and a rating. The only door to the database; nothing outside season/ sees SQL.
namespace fragtide::season {

// The file's extension when a window offers one.
inline constexpr const char* kSeasonExtension = ".fragtide-season";

struct AddOptions {
    // The game's display string when the season is new ("" detects it from the first log), or to
    // force logs that detection gives to another game.
    std::string game;
    bool forceGame = false;
    // Called on the caller's thread now and then: bytes read so far of those to read, and the file.
    std::function<void(std::uint64_t done, std::uint64_t total, const std::filesystem::path& file)> progress;
    // A match's encoded events held in memory before they wait in a temporary table (tests pass less).
    std::size_t spillBytes = std::size_t{256} << 10;
};

struct AddSummary {
    int unchanged = 0;  // files with nothing new: not read
    int added = 0;      // files new to the season
    int grown = 0;      // files read from their last line on
    int replaced = 0;   // files whose head changed: read again whole
    std::uint64_t bytesRead = 0;
    std::vector<Error> failures;  // logs that could not be read, each named; the others are in
};

// Matches by their start: since at 00:00:00 of its day, until at 23:59:59 of its day.
struct TimeRange {
    std::optional<CivilSeconds> since;
    std::optional<CivilSeconds> until;
};

class Season {
public:
    // An existing season. A file that is no season (or a season of a newer version) is refused
    // with a message that says so, and never written.
    static Result<Season> open(const std::filesystem::path& path);
    // Opens `path`, creating an empty season there when no file exists.
    static Result<Season> openOrCreate(const std::filesystem::path& path);

    // How long open, add and forget wait for another program that holds the season before they
    // fail with "busy"; for seasons opened after the call. A few seconds unless set (tests set less).
    static void setBusyTimeout(std::chrono::milliseconds timeout);

    Season(Season&&) noexcept;
    Season& operator=(Season&&) noexcept;
    ~Season();

    const std::filesystem::path& path() const;
    // The game's display string; "" until the first log fixes it.
    std::string game() const;

    // Adds logs and folders of logs (their files, sorted by name); each file is one transaction.
    // A second process adding to the season at the same time waits, then fails with "busy".
    Result<AddSummary> add(const std::vector<std::filesystem::path>& logs, const AddOptions& options = {});
    // Drops a file and its matches; false when the season does not hold it.
    Result<bool> forget(const std::filesystem::path& log);
    // The statistics, ratings and matches of the matches in `range`.
    Result<SeasonView> view(const TimeRange& range = {}) const;

private:
    struct Impl;
    explicit Season(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

}  // namespace fragtide::season
