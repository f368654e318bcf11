#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/readers/line_template.hpp"
#include "engine/readers/server_log_source.hpp"
#include "rules/game.hpp"

// Reads the events of a server log that a game file describes by line templates.
//
// Kill templates are tried first, in order, then suicide templates; the first that matches the
// whole line decides. A line holding one of the ignore_if texts is no event. A kill whose killer
// and victim are the same name, or whose killer is empty (a death by the world), is a suicide of
// the victim; one whose two teams are the same non-empty team other than "Unassigned" is a team
// kill. A kill or suicide without a player's name is no event. Names and weapons are exact bytes.
//
// Built from the game's templates, which the game file's validation has accepted (a template that
// does not compile matches nothing). Immutable; safe to share between threads.
namespace fragtide::engine {

class TemplateReader {
public:
    explicit TemplateReader(const rules::LineTemplates& templates);

    // The event of one line (no line ending inside), or nothing. Views point into `line`.
    std::optional<LogEvent> readLine(std::string_view line) const;

private:
    std::vector<LineTemplate> m_kills;
    std::vector<LineTemplate> m_suicides;
    std::vector<std::string> m_ignore;
};

}  // namespace fragtide::engine
