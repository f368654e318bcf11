#include "engine/readers/stdlog.hpp"

#include <cstring>

namespace fragtide::engine {
namespace {

// The end of the field that begins at `from`: the next tab, or the line's end.
std::size_t fieldEnd(std::string_view line, std::size_t from) {
    if (from >= line.size())  // also keeps a null data() away from memchr
        return line.size();
    const void* tab = std::memchr(line.data() + from, '\t', line.size() - from);
    return tab ? static_cast<std::size_t>(static_cast<const char*>(tab) - line.data()) : line.size();
}

}  // namespace

std::optional<StdLogEvent> readStdLogLine(std::string_view line) {
    const std::size_t firstEnd = fieldEnd(line, 0);
    if (firstEnd == line.size())
        return std::nullopt;
    const std::size_t secondEnd = fieldEnd(line, firstEnd + 1);
    if (secondEnd == line.size())
        return std::nullopt;
    const std::size_t thirdEnd = fieldEnd(line, secondEnd + 1);
    const std::string_view event = line.substr(secondEnd + 1, thirdEnd - secondEnd - 1);
    StdLogEvent result{};
    if (event == "Kill") {
        result.kind = StdLogEventKind::Kill;
        result.killer = line.substr(0, firstEnd);
        result.victim = line.substr(firstEnd + 1, secondEnd - firstEnd - 1);
    } else if (event == "Suicide") {
        result.kind = StdLogEventKind::Suicide;
        // Mods write the player in the first field and leave the second empty; the second
        // stands in only where the first is empty.
        result.killer = firstEnd > 0 ? line.substr(0, firstEnd) : line.substr(firstEnd + 1, secondEnd - firstEnd - 1);
    } else {
        return std::nullopt;
    }
    if (thirdEnd < line.size())
        result.weapon = line.substr(thirdEnd + 1, fieldEnd(line, thirdEnd + 1) - thirdEnd - 1);
    return result;
}

}  // namespace fragtide::engine
