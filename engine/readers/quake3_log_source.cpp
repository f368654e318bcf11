#include "engine/readers/quake3_log_source.hpp"

#include <string>

#include "engine/kill_recorder.hpp"
#include "engine/line_ends.hpp"
#include "engine/readers/quake3_log.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

// Sets the teams as a team line says; false for a kill.
bool setTeams(ClientTeams& teams, const Quake3Line& read) {
    switch (read.kind) {
    case Quake3LineKind::TeamSet:
        teams.set(read.client, ClientTeams::teamOfValue(read.team));
        return true;
    case Quake3LineKind::TeamForgotten:
        teams.set(read.client, ClientTeams::Team::None);
        return true;
    case Quake3LineKind::AllTeamsForgotten:
        teams.forgetAll();
        return true;
    case Quake3LineKind::Kill:
        break;
    }
    return false;
}

}  // namespace

std::uint64_t Quake3LogSource::analyzeLines(StatsStore& store, std::string_view bytes) const {
    WordSlots seen;
    // The raw names go to the crediter, which strips a name's colour codes only when it has not met
    // those bytes lately: most kills then strip nothing.
    KillCrediter crediter(store, &stripColours);
    ClientTeams& teams = store.Teams;
    std::string_view lastKill;  // the line; its names are stripped once, at the end
    Quake3Line read;
    const std::uint64_t lines = forEachLine(bytes, [&](std::string_view line) {
        if (!readQuake3Line(line, read) || setTeams(teams, read) || isTeamChange(read.weapon))
            return;
        LogEvent event{LogEventKind::Kill, read.killer, read.victim, read.weapon};
        if (read.client.isWorld() || read.client == read.victimClient)
            event = LogEvent{LogEventKind::Suicide, read.victim, {}, read.weapon};
        else if (teams.isTeamKill(read.client, read.victimClient))
            event.kind = LogEventKind::TeamKill;
        onEvent(store, event, seen, crediter);
        if (event.kind == LogEventKind::Kill)
            lastKill = line;
    });
    if (!lastKill.empty()) {
        std::string killerBuffer, victimBuffer;
        (void)readQuake3Line(lastKill, read);  // read once already: a kill
        store.KillerName.assign(stripColours(read.killer, killerBuffer));
        store.VictimName.assign(stripColours(read.victim, victimBuffer));
    }
    return lines;
}

std::optional<SlotMap> Quake3LogSource::prepareMerge(StatsStore& into, const StatsStore& part) const {
    // The part took a client it had not seen a team for as teamless; if the lines before gave two
    // such clients one team, one of its kills was a team kill, and it is read again in place.
    if (part.Teams.teamKillsAfter(into.Teams))
        return std::nullopt;
    std::optional<SlotMap> slotOf = ServerLogSource::prepareMerge(into, part);
    if (slotOf)
        part.Teams.applyAfter(into.Teams);
    return slotOf;
}

void Quake3LogSource::noteCarried(StatsStore& part, std::string_view before) const {
    for (std::size_t at = 0; (at = findTeamKeyword(before, at)) != std::string_view::npos;) {
        std::size_t start = at;
        while (start > 0 && !isLineEnd(before[start - 1]))
            --start;
        const std::size_t end = findLineEnd(before, at);
        Quake3Line read;
        if (readQuake3Line(before.substr(start, end - start), read))
            (void)setTeams(part.Teams, read);
        at = end;  // a line is read once, however many keywords it holds
    }
}

void Quake3LogSource::startAfter(StatsStore& part, const StatsStore& before) const {
    ServerLogSource::startAfter(part, before);
    part.Teams.startAfter(before.Teams);
}

}  // namespace fragtide::engine
