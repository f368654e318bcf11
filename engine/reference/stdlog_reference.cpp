#include "engine/reference/stdlog_reference.hpp"

#include <sstream>
#include <vector>

namespace fragtide::reference {

std::optional<StdLogEvent> readStdLogLine(std::string_view line) {
    std::vector<std::string> fields;
    std::istringstream in{std::string(line)};
    for (std::string field; std::getline(in, field, '\t');)
        fields.push_back(field);
    // getline drops an empty last field; only the weapon can be last, and missing means empty.
    if (fields.size() < 3)
        return std::nullopt;
    const std::string weapon = fields.size() > 3 ? fields[3] : "";
    if (fields[2] == "Kill")
        return StdLogEvent{engine::StdLogEventKind::Kill, fields[0], fields[1], weapon};
    if (fields[2] == "Suicide")
        return StdLogEvent{engine::StdLogEventKind::Suicide, fields[0].empty() ? fields[1] : fields[0], "", weapon};
    return std::nullopt;
}

std::optional<StdLogEvent> toReference(const std::optional<engine::StdLogEvent>& event) {
    if (!event)
        return std::nullopt;
    return StdLogEvent{event->kind, std::string(event->killer), std::string(event->victim),
                       std::string(event->weapon)};
}

}  // namespace fragtide::reference
