#pragma once

#include <optional>
#include <string_view>

// Reads the kills and suicides of a Quake II StdLog 1.2 file, one record (line) at a time.
//
// A record is tab-separated fields: KILLER, VICTIM, EVENT, WEAPON, score, time, ping. A kill is a
// record whose third field is exactly `Kill`; a suicide one whose third field is exactly `Suicide`,
// its first field naming the player (its second field where the first is empty). The weapon (or means of death) is the fourth field, empty when
// the record stops before it; fields after it may be missing. Every other record (`StdLog`, `Map`,
// `PlayerConnect`, ...) is none. Fields are exact bytes: nothing is trimmed.
//
// Lines are raw bytes without their ending. Pure function; thread-safe.
namespace fragtide::engine {

enum class StdLogEventKind { Kill, Suicide };

struct StdLogEvent {
    StdLogEventKind kind;
    std::string_view killer;  // for a suicide: the player who died
    std::string_view victim;  // for a suicide: empty
    std::string_view weapon;
    bool operator==(const StdLogEvent&) const = default;
};

// The event of `line`, or nothing. Every view in the result points into `line` and dies with it.
std::optional<StdLogEvent> readStdLogLine(std::string_view line);

}  // namespace fragtide::engine
