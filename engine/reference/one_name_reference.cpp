#include "engine/reference/one_name_reference.hpp"

#include <cstddef>

namespace fragtide::engine::reference {
namespace {

// Spaces trimmed at both ends, then one "'s" removed from the end; nothing after that.
std::string_view normalized(std::string_view name) {
    while (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    if (name.size() >= 2 && name[name.size() - 2] == '\'' && name.back() == 's')
        name.remove_suffix(2);
    return name;
}

struct Best {
    const rules::OneNameMessage* message = nullptr;
    OneNameKind kind = OneNameKind::Suicide;

    // Longer trailing text, then longer leading text; an equal rank keeps the earlier message,
    // and every suicide is offered before every team kill.
    void offer(const rules::OneNameMessage& m, OneNameKind k) {
        if (message && (m.trailing.size() < message->trailing.size() ||
                        (m.trailing.size() == message->trailing.size() &&
                         m.leading.size() <= message->leading.size())))
            return;
        message = &m;
        kind = k;
    }
};

bool matches(const rules::OneNameMessage& m, std::string_view line) {
    if (m.trailing.empty() || line.size() < m.leading.size() + m.trailing.size())
        return false;
    for (std::size_t i = 0; i < m.leading.size(); ++i)
        if (line[i] != m.leading[i])
            return false;
    const std::size_t tail = line.size() - m.trailing.size();
    for (std::size_t i = 0; i < m.trailing.size(); ++i)
        if (line[tail + i] != m.trailing[i])
            return false;
    return true;
}

}  // namespace

std::optional<OneNameEvent> matchOneName(const rules::OneNameTable& table, std::string_view line,
                                         KillVerdict verdict) {
    if (verdict == KillVerdict::CreditedAsKill)
        return std::nullopt;
    Best best;
    for (const auto& m : table.suicides)
        if (matches(m, line))
            best.offer(m, OneNameKind::Suicide);
    for (const auto& m : table.teamKills)
        if (matches(m, line))
            best.offer(m, OneNameKind::TeamKill);
    if (!best.message)
        return std::nullopt;
    const std::size_t from = best.message->leading.size();
    const std::string_view name =
        normalized(line.substr(from, line.size() - from - best.message->trailing.size()));
    if (name.empty())
        return std::nullopt;
    return OneNameEvent{best.kind, name};
}

}  // namespace fragtide::engine::reference
