#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "engine/readers/hl_server_log.hpp"

// The plain model of engine/readers/quake3_log and the teams of quake3_log_source: the line forms
// as std::regex exactly as documented, colour codes removed by std::regex_replace, and the teams
// in a std::map, line after line. For tests and fuzz targets. Slow: keep lines to a few thousand
// bytes. Owns its strings.
namespace fragtide::reference {

struct Quake3Event {
    engine::HlEventKind kind;
    std::string killer;  // for a suicide: the player who died
    std::string victim;  // for a suicide: empty
    std::string weapon;
    bool operator==(const Quake3Event&) const = default;
};

class Quake3Reference {
public:
    // The event of the next line of the log, or nothing; team lines change the teams.
    std::optional<Quake3Event> read(std::string_view line);

private:
    std::map<long, std::string> m_teams;  // client number (0..255) -> its `t` value
};

}  // namespace fragtide::reference
