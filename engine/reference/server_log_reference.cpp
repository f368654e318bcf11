#include "engine/reference/server_log_reference.hpp"

#include <cctype>
#include <optional>
#include <utility>
#include <vector>

#include "engine/reference/hl_server_log_reference.hpp"
#include "engine/reference/quake3_log_reference.hpp"
#include "engine/reference/stdlog_reference.hpp"

namespace fragtide::engine::reference {
namespace {

bool sameWord(const rules::Game& game, std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        const bool letters = x < 128 && y < 128 && std::isalpha(x) && std::isalpha(y);
        if (game.weaponWordsIgnoreCase && letters ? std::tolower(x) != std::tolower(y) : x != y)
            return false;
    }
    return true;
}

}  // namespace

std::vector<ServerLogEvent> referenceServerLogEvents(const rules::Game& game, std::string_view bytes) {
    std::vector<ServerLogEvent> events;
    fragtide::reference::Quake3Reference quake3;
    for (const std::string& line : referenceLines(bytes)) {
        switch (game.kind) {
        case rules::KillSource::HalfLifeServerLog:
        case rules::KillSource::CounterStrike2ServerLog: {
            const auto event = game.kind == rules::KillSource::HalfLifeServerLog
                                   ? fragtide::reference::readHlServerLogLine(line)
                                   : fragtide::reference::readCs2ServerLogLine(line);
            if (event)
                events.push_back({event->kind, event->killer.name, event->victim.name, event->weapon});
            break;
        }
        case rules::KillSource::Quake2StdLog:
            if (const auto event = fragtide::reference::readStdLogLine(line)) {
                const auto kind = event->kind == StdLogEventKind::Kill ? HlEventKind::Kill : HlEventKind::Suicide;
                events.push_back({kind, event->killer, event->victim, event->weapon});
            }
            break;
        case rules::KillSource::Quake3ServerLog:
            if (const auto event = quake3.read(line))
                events.push_back({event->kind, event->killer, event->victim, event->weapon});
            break;
        case rules::KillSource::ObituaryRules:
        case rules::KillSource::TemplateLines:  // modelled by line_template_reference
            break;
        }
    }
    return events;
}

ReferencePeople referenceServerLogPeople(const rules::Game& game, std::string_view bytes) {
    ReferencePeople people;
    for (const ServerLogEvent& event : referenceServerLogEvents(game, bytes)) {
        if (event.kind == HlEventKind::Kill)
            people.kill(event.killer, event.victim);
        else if (event.kind == HlEventKind::TeamKill)
            people.teamKill(event.killer, event.victim);
        else
            people.suicide(event.killer);
    }
    return people;
}

std::uint64_t referenceAnalyzeServerLog(ServerLogReferenceStore& store, const rules::Game& game,
                                        std::string_view bytes) {
    // The weapons met so far, in order: (known?, name). At most 49 get a slot of their own.
    std::vector<std::pair<bool, std::string>> weapons;
    for (const ServerLogEvent& event : referenceServerLogEvents(game, bytes)) {
        if (event.kind != HlEventKind::Kill)
            continue;
        const ServerLogEvent* kill = &event;
        std::pair<bool, std::string> weapon{false, kill->weapon};
        for (const rules::WeaponWord& word : game.weaponWords) {
            if (sameWord(game, word.word, kill->weapon)) {
                weapon = {true, std::string(word.displayName)};
                break;
            }
        }
        for (const rules::WeaponWord& prefix : game.weaponWordPrefixes) {
            if (!weapon.first && kill->weapon.size() >= prefix.word.size() &&
                sameWord(game, prefix.word, kill->weapon.substr(0, prefix.word.size()))) {
                weapon = {true, std::string(prefix.displayName)};
            }
        }
        int slot = 50;
        for (std::size_t i = 0; i < weapons.size(); ++i) {
            if (weapons[i] == weapon)
                slot = static_cast<int>(i) + 1;
        }
        if (slot == 50 && weapons.size() < 49) {
            weapons.push_back(weapon);
            slot = static_cast<int>(weapons.size());
            store.weaponNames[static_cast<std::size_t>(slot)] = weapon.second;
        } else if (slot == 50) {
            store.weaponNames[50] = "Other weapons";
        }
        ReferenceStore& counts = store.counts;
        ++counts.weaponFrags[static_cast<std::size_t>(slot)];
        counts.killerName = kill->killer;
        counts.victimName = kill->victim;
        if (kill->killer.empty())
            continue;
        std::size_t player = 0;
        for (std::size_t p = 1; p < counts.playerNames.size() && player == 0; ++p) {
            if (counts.playerNames[p] == kill->killer)
                player = p;
        }
        if (player == 0) {
            player = counts.playerNames.size();
            counts.playerNames.push_back(kill->killer);
            counts.playerWeaponFrags.emplace_back();
        }
        ++counts.playerWeaponFrags[player][static_cast<std::size_t>(slot)];
    }
    return referenceLines(bytes).size();
}

}  // namespace fragtide::engine::reference
