#include "cli/json_writer.hpp"

#include <cstdio>
#include <optional>

#include "engine/display_text.hpp"
#include "engine/log_file.hpp"
#include "reports/reports.hpp"
#include "season/civil_time.hpp"

namespace fragtide::cli {

std::string jsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (byte < 0x20 || byte == 0x7f) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xf];
        } else {
            out += ch;
        }
    }
    out += '"';
    return out;
}

namespace {

// ", "deaths": d, "suicides": s, "team_kills": k" and, with `victims`, his victims. A player the
// people table does not know (a store filled without it) has none of each.
void appendPersonFigures(std::string& out, const engine::StatsStore& store, std::optional<std::uint32_t> index,
                         bool victims, const std::vector<double>* ratings) {
    const engine::PeopleTable& table = store.People;
    static const engine::PeopleTable::Person kNobody;
    const auto& person = index ? table.people()[*index] : kNobody;
    out += ", \"deaths\": " + std::to_string(person.deaths) + ", \"suicides\": " + std::to_string(person.suicides) +
           ", \"team_kills\": " + std::to_string(person.teamKills);
    const auto appendRating = [&] {
        if (ratings && index && *index < ratings->size()) {
            char text[32];
            std::snprintf(text, sizeof text, "%.1f", (*ratings)[*index]);
            out += ", \"rating\": ";
            out += text;
        }
    };
    if (!victims) {
        appendRating();
        return;
    }
    out += ", \"victims\": [";
    const char* separator = "";
    for (const auto& victim : person.victims) {
        out += separator;
        out += "{\"name\": " + jsonString(engine::displayName(store, table.people()[victim.person].name)) +
               ", \"frags\": " + std::to_string(victim.frags) + "}";
        separator = ", ";
    }
    out += "]";
    appendRating();
}

// The document before its files; with `ratings` (per person of the people table), each person's.
std::string documentJson(const engine::StatsStore& store, const engine::Detection* detected,
                         const std::vector<double>* ratings) {
    std::string out = "{\n  \"game\": " + jsonString(engine::displayText(store.CurrentGame));
    const char* separator = "";
    if (detected) {
        out += ",\n  \"detected\": {";
        for (const auto& [game, kills] : detected->kills) {
            out += separator;
            out += jsonString(game->displayName) + ": " + std::to_string(kills);
            separator = ", ";
        }
        out += "}";
    }
    out += ",\n  \"weapons\": [";
    separator = "\n    ";
    for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
        if (store.WeaponNames[slot].empty() && store.WeaponFrags[slot] <= 0)
            continue;
        out += separator;
        out += "{\"slot\": " + std::to_string(slot) +
               ", \"name\": " + jsonString(engine::displayName(store, store.WeaponNames[slot])) +
               ", \"frags\": " + std::to_string(store.WeaponFrags[slot]) + "}";
        separator = ",\n    ";
    }
    out += "\n  ],\n  \"players\": [";
    separator = "\n    ";
    const auto& names = store.PlayerNames();
    for (int p = 1; p <= store.playerCount(); ++p) {
        if (names[p].empty())
            continue;
        out += separator;
        out += "{\"index\": " + std::to_string(p) +
               ", \"name\": " + jsonString(engine::displayName(store, names[p])) +
               ", \"total\": " + std::to_string(reports::TotalFrags(store, p).value_or(0)) +
               ", \"frags\": {";
        const char* inner = "";
        for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
            if (store.PlayerWeaponFrags[p][slot] > 0) {
                out += inner;
                out += "\"" + std::to_string(slot) + "\": " + std::to_string(store.PlayerWeaponFrags[p][slot]);
                inner = ", ";
            }
        }
        out += "}";
        appendPersonFigures(out, store, store.People.find(names[p]), true, ratings);
        out += "}";
        separator = ",\n    ";
    }
    out += "\n  ],\n  \"others\": [";
    separator = "\n    ";
    const auto& people = store.People.people();
    for (std::uint32_t i = 0; i < people.size(); ++i) {
        if (store.findPlayer(people[i].name) != 0)
            continue;
        out += separator;
        out += "{\"name\": " + jsonString(engine::displayName(store, people[i].name)) +
               ", \"frags\": " + std::to_string(people[i].frags);
        appendPersonFigures(out, store, i, false, ratings);
        out += "}";
        separator = ",\n    ";
    }
    out += "\n  ]\n}\n";
    return out;
}

}  // namespace

std::string statisticsJson(const engine::StatsStore& store, const engine::Detection* detected) {
    return documentJson(store, detected, nullptr);
}

std::string statisticsJson(const engine::StatsStore& store, const engine::Detection* detected,
                           std::span<const engine::LogSetFile> files) {
    std::string out = statisticsJson(store, detected);
    out.resize(out.size() - 3);  // reopen the document before its closing "\n}\n"
    out += ",\n  \"files\": [";
    const char* separator = "\n    ";
    for (const engine::LogSetFile& file : files) {
        out += separator;
        out += "{\"path\": " + jsonString(engine::displayText(engine::shownPath(file.path))) +
               ", \"bytes\": " + std::to_string(file.bytes) + ", \"lines\": " + std::to_string(file.lines) + "}";
        separator = ",\n    ";
    }
    out += files.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}


std::string seasonJson(const season::SeasonView& view) {
    std::string out = documentJson(view.store, nullptr, &view.ratings);
    out.resize(out.size() - 3);  // reopen the document before its closing "\n}\n"
    out += ",\n  \"files\": [";
    const char* separator = "\n    ";
    for (const season::SeasonFile& file : view.files) {
        out += separator;
        out += "{\"path\": " + jsonString(engine::displayText(file.path)) + ", \"bytes\": " +
               std::to_string(file.bytes) + ", \"lines\": " + std::to_string(file.lines) + "}";
        separator = ",\n    ";
    }
    out += view.files.empty() ? "]" : "\n  ]";
    out += ",\n  \"matches\": [";
    separator = "\n    ";
    for (const season::Match& match : view.matches) {
        out += separator;
        out += "{\"start\": " + jsonString(season::isoText(match.start)) +
               ", \"map\": " + jsonString(engine::displayName(view.store, match.map)) +
               ", \"file\": " + jsonString(engine::displayText(match.file)) +
               ", \"kills\": " + std::to_string(match.kills) + "}";
        separator = ",\n    ";
    }
    out += view.matches.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

}  // namespace fragtide::cli
