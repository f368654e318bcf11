#include "engine/reference/hl_server_log_reference.hpp"

#include <regex>

namespace fragtide::reference {
namespace {

// The two forms exactly as documented, time stamp spelled out.
const std::regex& killForm() {
    static const std::regex form(
        R"re(^(L \d\d/\d\d/\d\d\d\d - \d\d:\d\d:\d\d: )?"(.*?)<(-?\d+)><([^<>]*)><([^<>]*)>" killed )re"
        R"re("(.*?)<(-?\d+)><([^<>]*)><([^<>]*)>" with "([^"]*)"(.*)$)re");
    return form;
}

const std::regex& suicideForm() {
    static const std::regex form(
        R"re(^(L \d\d/\d\d/\d\d\d\d - \d\d:\d\d:\d\d: )?"(.*?)<(-?\d+)><([^<>]*)><([^<>]*)>")re"
        R"re( committed suicide with "([^"]*)"(.*)$)re");
    return form;
}

// Counter-Strike 2: two time stamps and a position block after each player. The stamp is a group
// here, as in the Half-Life forms, so that both number their groups alike.
constexpr const char* kCs2Stamp =
    R"re(^(L \d\d/\d\d/\d{4} - \d\d:\d\d:\d\d(?:\.\d+)?: |\d\d/\d\d/\d{4} - \d\d:\d\d:\d\d(?:\.\d+)? - )?)re";

const std::regex& cs2KillForm() {
    static const std::regex form(
        std::string(kCs2Stamp) +
        R"re("(.*?)<(-?\d+)><([^<>]*)><([^<>]*)>"(?: \[[^\]\r\n]*\])? killed )re"
        R"re("(.*?)<(-?\d+)><([^<>]*)><([^<>]*)>"(?: \[[^\]\r\n]*\])? with "([^"]*)"(.*)$)re");
    return form;
}

const std::regex& cs2SuicideForm() {
    static const std::regex form(std::string(kCs2Stamp) +
                                 R"re("(.*?)<(-?\d+)><([^<>]*)><([^<>]*)>"(?: \[[^\]\r\n]*\])?)re"
                                 R"re( committed suicide with "([^"]*)"(.*)$)re");
    return form;
}

HlPlayer player(const std::smatch& m, int first) {
    return {m[first].str(), m[first + 1].str(), m[first + 2].str(), m[first + 3].str()};
}

// The event of `line` by one pair of forms; both capture the time stamp as group 1.
std::optional<HlEvent> readWith(std::string_view line, const std::regex& kill, const std::regex& suicide) {
    const std::string text(line);
    std::smatch m;
    if (std::regex_match(text, m, kill)) {
        if (m[11].str().find("(customkill \"feign_death\")") != std::string::npos)
            return std::nullopt;  // a faked death
        HlEvent event{engine::HlEventKind::Kill, player(m, 2), player(m, 6), m[10].str()};
        const std::string& team = event.killer.team;
        if (team == event.victim.team && !team.empty() && team != "Unassigned")
            event.kind = engine::HlEventKind::TeamKill;
        return event;
    }
    if (std::regex_match(text, m, suicide))
        return HlEvent{engine::HlEventKind::Suicide, player(m, 2), {}, m[6].str()};
    return std::nullopt;
}

}  // namespace

std::optional<HlEvent> readHlServerLogLine(std::string_view line) {
    return readWith(line, killForm(), suicideForm());
}

std::optional<HlEvent> readCs2ServerLogLine(std::string_view line) {
    return readWith(line, cs2KillForm(), cs2SuicideForm());
}

std::optional<HlEvent> toReference(const std::optional<engine::HlEvent>& event) {
    if (!event)
        return std::nullopt;
    const auto copy = [](const engine::HlPlayer& p) {
        return HlPlayer{std::string(p.name), std::string(p.uid), std::string(p.id), std::string(p.team)};
    };
    return HlEvent{event->kind, copy(event->killer), copy(event->victim), std::string(event->weapon)};
}

}  // namespace fragtide::reference
