#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Reads the lines of a Quake III engine server's log (games.log, or a dedicated server's console
// log) that matter to the statistics, one line at a time: kills, and the lines that set or forget
// the client numbers' teams.
//
// Every such line may begin with a prefix of digits, spaces, colons, dots and bars (`20:54 `,
// `  1:21 `, `1340187921|`). A kill is cut as the regular expression
//   ^[0-9 :.|]*Kill:((?: -?\d+){3,}): (.*?) killed (.*) by ([^\s|]+)(.*)$
// cuts it: the killer is the shortest name, the victim the longest, the word ends at white space or
// `|`, and K and V are the first two numbers (the client numbers). The team lines are
//   ^[0-9 :.|]*ClientUserinfoChanged: (-?\d+) (.*)$   the client's team is the value of key `t`
//                                                     in the backslash-separated pairs after it
//   ^[0-9 :.|]*ClientDisconnect: (-?\d+)(.*)$         the client's team is forgotten
//   ^[0-9 :.|]*InitGame:(.*)$                         every team is forgotten
// Names are returned as written; stripColours removes their colour codes.
//
// Lines are raw bytes without their ending. Pure functions; thread-safe. Linear in the line's
// length, whatever its bytes.
namespace fragtide::engine {

enum class Quake3LineKind { Kill, TeamSet, TeamForgotten, AllTeamsForgotten };

// A client number as written: `negative` and its digits without leading zeros ("" is zero), so
// that two numbers are equal exactly when their values are.
struct Quake3Client {
    bool negative = false;
    std::string_view digits;
    int slot = -1;  // the value when it is 0..255 (a client that can have a team), else -1
    bool operator==(const Quake3Client&) const = default;
    bool isWorld() const { return !negative && digits == "1022"; }  // ENTITYNUM_WORLD
};

struct Quake3Line {
    Quake3LineKind kind = Quake3LineKind::Kill;
    Quake3Client client = {};        // Kill: the killer (K); team lines: the client
    Quake3Client victimClient = {};  // Kill: V
    std::string_view killer = {}, victim = {}, weapon = {};  // Kill only, names with their colour codes
    std::optional<std::string_view> team = {};               // TeamSet: the value of `t`, nothing without one
};

// What `line` says, or nothing. Views point into `line` and die with it.
std::optional<Quake3Line> readQuake3Line(std::string_view line);
// The same into `read`, for a loop over many lines: true when the line says something, and then
// the fields of its kind are set; the others keep what they held.
bool readQuake3Line(std::string_view line, Quake3Line& read);

// The first place at or after `from` where "Client" or "InitGame:" begins, or npos: every line
// that sets or forgets a team holds one of the two. Much faster than reading each line.
std::size_t findTeamKeyword(std::string_view bytes, std::size_t from);

// `name` without its Quake III colour codes (`^` followed by an ASCII letter or digit), read from
// left to right: `^^1` leaves `^`. A view of `name` itself when it has none, else of `buffer`.
std::string_view stripColours(std::string_view name, std::string& buffer);

// Whether a kill's word is a team change that Urban Terror logs as a death: no event at all.
bool isTeamChange(std::string_view weapon);

}  // namespace fragtide::engine
