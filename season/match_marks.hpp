#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"
#include "rules/game.hpp"
#include "season/season_view.hpp"

// Where matches begin in a log: the light scan that cuts a file at its map starts before the
// analysis reads it. Only the line forms that start a map are looked at; kills are the analysis's.
namespace fragtide::season {

// How a game's logs mark a new map.
enum class MatchMarks : std::uint8_t {
    None,      // console logs and game files: one match per file
    HalfLife,  // `Loading map "X"` / `Started map "X"`, after an optional time stamp (both forms)
    Quake3,    // `InitGame:` with `\mapname\X`
    StdLog,    // the `Map` record: its fourth field names the map
};

MatchMarks matchMarksOf(rules::KillSource kind);

// What started the match; kept so that a `Started map` right after its `Loading map` joins it.
enum class StartKind : std::uint8_t { None = 0, Loading = 1, Started = 2, InitGame = 3, MapRecord = 4 };

struct MapStart {
    std::uint64_t offset = 0;  // of the line's first byte in the file
    StartKind kind = StartKind::None;
    std::string map;  // raw bytes
    std::optional<CivilSeconds> stamp;  // the line's own time, where the log has one
    bool operator==(const MapStart&) const = default;
};

// The map start `line` (raw bytes without its ending) is, or nothing. offset is left 0.
std::optional<MapStart> readMapStart(MatchMarks marks, std::string_view line);

// The time stamp a Half-Life or CS2 server log line begins with, in either form.
std::optional<CivilSeconds> lineStamp(std::string_view line);

// Bytes from which scanMapStarts cuts its range, one part per processor scanned at once.
inline constexpr std::uint64_t kScanSplitBytes = std::uint64_t{64} << 20;

// The map starts of bytes [from, to) of `path`, in file order. `from` must be the start of a line.
// Memory stays flat whatever the size; a line is looked at only when it holds the form's keyword.
// From `splitBytes` on (tests pass less), the range is cut at line starts and scanned on a few
// threads.
Result<std::vector<MapStart>> scanMapStarts(const std::filesystem::path& path, MatchMarks marks, std::uint64_t from,
                                            std::uint64_t to, std::uint64_t splitBytes = kScanSplitBytes);

// The map starts of `bytes`, whose first byte is at `base` in its file; the reference the scan
// is compared with, and the scan's inner step.
std::vector<MapStart> mapStartsIn(MatchMarks marks, std::string_view bytes, std::uint64_t base);

// Where the last line of a file of `size` bytes whose last bytes are `end` starts: the offset
// after the last line ending that is not the file's final one (0 when there is none). `end` holds
// the file's last min(size, end.size()) bytes; a last line longer than `end` gives nothing.
std::optional<std::uint64_t> lastLineStart(std::string_view end, std::uint64_t size);

}  // namespace fragtide::season
