#include "cli/json_writer.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ostream>
#include <vector>

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

void appendNumber(std::string& out, std::int64_t n) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(digits, end);
}

// A name as the store shows it, as a JSON string.
void appendName(std::string& out, const engine::StatsStore& store, std::string_view bytes) {
    // Most names are printable ASCII, shown as they are under every display but Quake's and
    // needing no escape: no two strings made per name of a list of millions.
    const bool plain = store.NameDisplayChoice != engine::NameDisplay::Quake &&
                       std::all_of(bytes.begin(), bytes.end(), [](char ch) {
                           return ch >= 0x20 && ch < 0x7f && ch != '"' && ch != '\\';
                       });
    if (!plain) {
        out += jsonString(engine::displayName(store, bytes));
        return;
    }
    out += '"';
    out += bytes;
    out += '"';
}

// ", "deaths": d, "suicides": s, "team_kills": k" and, with `victims`, his victims. A player the
// people table does not know (a store filled without it) has none of each.
// With `ratings` (per person of the people table), his rating last.
void appendPersonFigures(std::string& out, const engine::StatsStore& store, std::uint32_t index, bool victims,
                         const std::vector<double>* ratings) {
    const engine::PeopleTable& table = store.People;
    static const engine::PeopleTable::Person kNobody;
    const auto& person = index != engine::PeopleTable::kNobody ? table.people()[index] : kNobody;
    out += ", \"deaths\": ";
    appendNumber(out, person.deaths);
    out += ", \"suicides\": ";
    appendNumber(out, person.suicides);
    out += ", \"team_kills\": ";
    appendNumber(out, person.teamKills);
    const auto appendRating = [&] {
        if (ratings && index < ratings->size()) {
            char text[32];
            std::snprintf(text, sizeof text, "%.1f", (*ratings)[index]);
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
        out += "{\"name\": ";
        appendName(out, store, table.people()[victim.person].name);
        out += ", \"frags\": ";
        appendNumber(out, victim.frags);
        out += "}";
        separator = ", ";
    }
    out += "]";
    appendRating();
}

// The person of each player index, kNobody where the people table has none. A scorer's person
// carries his player index as its tag; the name lookup is for a store filled otherwise.
std::vector<std::uint32_t> personOfEachPlayer(const engine::StatsStore& store) {
    const auto& people = store.People.people();
    std::vector<std::uint32_t> personOf(static_cast<std::size_t>(store.playerCount()) + 1, engine::PeopleTable::kNobody);
    for (std::uint32_t i = 0; i < people.size(); ++i) {
        const std::int32_t tag = store.People.playerTag(i);
        if (tag > 0 && tag <= store.playerCount() && personOf[static_cast<std::size_t>(tag)] == engine::PeopleTable::kNobody)
            personOf[static_cast<std::size_t>(tag)] = i;
    }
    const auto& names = store.PlayerNames();
    for (int p = 1; p <= store.playerCount(); ++p) {
        if (personOf[static_cast<std::size_t>(p)] == engine::PeopleTable::kNobody)
            personOf[static_cast<std::size_t>(p)] = store.People.find(names[p]).value_or(engine::PeopleTable::kNobody);
    }
    return personOf;
}

// Whether person `i` is one of the players.
bool isPlayer(const engine::StatsStore& store, std::uint32_t i) {
    return store.playerOf(i) != 0;
}

// The document up to its closing "\n}", handed to `spill` an entry at a time: the document of a log
// with millions of names need never be whole in memory.
template <typename Spill>
void writeStatistics(std::string& out, const engine::StatsStore& store, const engine::Detection* detected,
                     const Spill& spill, const std::vector<double>* ratings = nullptr) {
    out += "{\n  \"game\": " + jsonString(engine::displayText(store.CurrentGame));
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
    const std::vector<std::uint32_t> personOf = personOfEachPlayer(store);
    for (int p = 1; p <= store.playerCount(); ++p) {
        if (names[p].empty())
            continue;
        out += separator;
        out += "{\"index\": ";
        appendNumber(out, p);
        out += ", \"name\": ";
        appendName(out, store, names[p]);
        out += ", \"total\": ";
        appendNumber(out, reports::TotalFrags(store, p).value_or(0));
        out += ", \"frags\": {";
        const char* inner = "";
        store.PlayerWeaponFrags.forEachCount(static_cast<std::size_t>(p), [&](int slot, engine::FragCount n) {
            if (slot >= 1 && n > 0) {
                out += inner;
                out += '"';
                appendNumber(out, slot);
                out += "\": ";
                appendNumber(out, n);
                inner = ", ";
            }
        });
        out += "}";
        appendPersonFigures(out, store, personOf[static_cast<std::size_t>(p)], true, ratings);
        out += "}";
        separator = ",\n    ";
        spill(out);
    }
    out += "\n  ],\n  \"others\": [";
    separator = "\n    ";
    const auto& people = store.People.people();
    for (std::uint32_t i = 0; i < people.size(); ++i) {
        if (isPlayer(store, i))
            continue;
        out += separator;
        out += "{\"name\": ";
        appendName(out, store, people[i].name);
        out += ", \"frags\": ";
        appendNumber(out, people[i].frags);
        appendPersonFigures(out, store, i, false, ratings);
        out += "}";
        separator = ",\n    ";
        spill(out);
    }
    out += "\n  ]";
}

void appendFiles(std::string& out, std::span<const engine::LogSetFile> files) {
    out += ",\n  \"files\": [";
    const char* separator = "\n    ";
    for (const engine::LogSetFile& file : files) {
        out += separator;
        out += "{\"path\": " + jsonString(engine::displayText(engine::shownPath(file.path))) +
               ", \"bytes\": " + std::to_string(file.bytes) + ", \"lines\": " + std::to_string(file.lines) + "}";
        separator = ",\n    ";
    }
    out += files.empty() ? "]" : "\n  ]";
}

}  // namespace

std::string statisticsJson(const engine::StatsStore& store, const engine::Detection* detected) {
    std::string out;
    writeStatistics(out, store, detected, [](std::string&) {});
    out += "\n}\n";
    return out;
}

std::string statisticsJson(const engine::StatsStore& store, const engine::Detection* detected,
                           std::span<const engine::LogSetFile> files) {
    std::string out;
    writeStatistics(out, store, detected, [](std::string&) {});
    appendFiles(out, files);
    out += "\n}\n";
    return out;
}

void writeStatisticsJson(std::ostream& to, const engine::StatsStore& store, const engine::Detection* detected,
                         std::span<const engine::LogSetFile> files) {
    constexpr std::size_t kSpillBytes = 1 << 16;
    std::string out;
    out.reserve(2 * kSpillBytes);
    writeStatistics(out, store, detected, [&to](std::string& text) {
        if (text.size() >= kSpillBytes) {
            to.write(text.data(), static_cast<std::streamsize>(text.size()));
            text.clear();
        }
    });
    appendFiles(out, files);
    out += "\n}\n";
    to.write(out.data(), static_cast<std::streamsize>(out.size()));
}

std::string seasonJson(const season::SeasonView& view) {
    std::string out;
    writeStatistics(out, view.store, nullptr, [](std::string&) {}, &view.ratings);
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
