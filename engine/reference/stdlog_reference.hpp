#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/readers/stdlog.hpp"

// The plain model of engine/readers/stdlog: the record split into fields with std::getline, for tests
// and fuzz targets to compare the fast reader with. Owns its strings.
namespace fragtide::reference {

struct StdLogEvent {
    engine::StdLogEventKind kind;
    std::string killer, victim, weapon;
    bool operator==(const StdLogEvent&) const = default;
};

std::optional<StdLogEvent> readStdLogLine(std::string_view line);

// The fast reader's result in the reference's terms, to compare the two.
std::optional<StdLogEvent> toReference(const std::optional<engine::StdLogEvent>& event);

}  // namespace fragtide::reference
