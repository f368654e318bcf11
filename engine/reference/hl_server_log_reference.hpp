#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/readers/hl_server_log.hpp"

// The plain model of engine/readers/hl_server_log and cs2_server_log: the forms as std::regex, exactly as written,
// for tests and fuzz targets to compare the fast reader with. Slow (backtracking, recursive): keep
// lines to a few thousand bytes. Owns its strings.
namespace fragtide::reference {

struct HlPlayer {
    std::string name, uid, id, team;
    bool operator==(const HlPlayer&) const = default;
};

struct HlEvent {
    engine::HlEventKind kind;
    HlPlayer killer, victim;
    std::string weapon;
    bool operator==(const HlEvent&) const = default;
};

std::optional<HlEvent> readHlServerLogLine(std::string_view line);

// The same for a CS:GO or Counter-Strike 2 server log (engine/readers/cs2_server_log.hpp).
std::optional<HlEvent> readCs2ServerLogLine(std::string_view line);

// The fast reader's result in the reference's terms, to compare the two.
std::optional<HlEvent> toReference(const std::optional<engine::HlEvent>& event);

}  // namespace fragtide::reference
