#include "engine/readers/template_reader.hpp"

namespace fragtide::engine {
namespace {

void compileAll(std::span<const std::string_view> texts, bool prefix, std::vector<LineTemplate>& into) {
    for (const std::string_view text : texts) {
        if (auto compiled = LineTemplate::compile(text, prefix))
            into.push_back(std::move(*compiled));
    }
}

bool isTeam(std::string_view team) { return !team.empty() && team != "Unassigned"; }

}  // namespace

TemplateReader::TemplateReader(const rules::LineTemplates& templates) {
    compileAll(templates.kills, templates.prefix, m_kills);
    compileAll(templates.suicides, templates.prefix, m_suicides);
    for (const std::string_view text : templates.ignoreIf) {
        if (!text.empty())
            m_ignore.emplace_back(text);
    }
}

std::optional<LogEvent> TemplateReader::readLine(std::string_view line) const {
    const auto ignored = [&] {
        for (const std::string& text : m_ignore) {
            if (line.find(text) != std::string_view::npos)
                return true;
        }
        return false;
    };
    // Matching first: most lines match nothing, and then the ignore texts need no search.
    for (const LineTemplate& kill : m_kills) {
        const auto m = kill.match(line);
        if (!m)
            continue;
        if (ignored())
            return std::nullopt;
        const std::string_view killer = (*m)[TemplateField::Killer];
        const std::string_view victim = (*m)[TemplateField::Victim];
        const std::string_view weapon = (*m)[TemplateField::Weapon];
        if (victim.empty())
            return std::nullopt;
        if (killer.empty() || killer == victim)
            return LogEvent{LogEventKind::Suicide, victim, {}, weapon};
        const std::string_view killerTeam = (*m)[TemplateField::KillerTeam];
        if (isTeam(killerTeam) && killerTeam == (*m)[TemplateField::VictimTeam])
            return LogEvent{LogEventKind::TeamKill, killer, victim, weapon};
        return LogEvent{LogEventKind::Kill, killer, victim, weapon};
    }
    for (const LineTemplate& suicide : m_suicides) {
        const auto m = suicide.match(line);
        if (!m)
            continue;
        if (ignored() || (*m)[TemplateField::Player].empty())
            return std::nullopt;
        return LogEvent{LogEventKind::Suicide, (*m)[TemplateField::Player], {}, (*m)[TemplateField::Weapon]};
    }
    return std::nullopt;
}

}  // namespace fragtide::engine
