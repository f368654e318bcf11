#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "engine/event_replay.hpp"
#include "engine/game_catalogue.hpp"
#include "season/elo_rating.hpp"
#include "season/event_codec.hpp"
#include "season/match_marks.hpp"
#include "season/season_impl.hpp"

namespace fragtide::season {
namespace {

using engine::KillEventKind;

struct Weapon {
    std::string key;
    std::string name;
    int fixedSlot = 0;
};

struct StoredMatch {
    Match shown;
    StartKind kind = StartKind::None;
    std::string events;  // body, then the file's last line
};

Error damaged(const std::filesystem::path& path) {
    return {ErrorKind::InvalidInput, "the season '" + pathKey(path) + "' is damaged: a match's events cannot be read"};
}

}  // namespace

Result<SeasonView> Season::view(const TimeRange& range) const {
    Database& db = m_impl->db;
    // One read transaction: an add committing meanwhile is not half seen.
    if (Status begun = db.exec("BEGIN"); !begun)
        return begun.error();
    struct EndRead {
        Database& db;
        ~EndRead() { (void)db.exec("COMMIT"); }
    } endRead{db};

    SeasonView view;
    auto game = storedGame(db);
    if (!game)
        return game.error();
    view.game = *game;
    std::vector<std::string> names(1);  // by person id; 0 is nobody
    {
        auto stmt = db.prepare("SELECT id, name FROM persons ORDER BY id");
        if (!stmt)
            return stmt.error();
        const Status read = stmt->forEachRow([&] {
            const auto id = static_cast<std::size_t>(stmt->integer(0));
            if (id >= names.size())
                names.resize(id + 1);
            names[id] = std::string(stmt->bytes(1));
        });
        if (!read)
            return read.error();
    }
    std::vector<Weapon> weapons(1);
    {
        auto stmt = db.prepare("SELECT id, key, name, fixed_slot FROM weapons ORDER BY id");
        if (!stmt)
            return stmt.error();
        const Status read = stmt->forEachRow([&] {
            const auto id = static_cast<std::size_t>(stmt->integer(0));
            if (id >= weapons.size())
                weapons.resize(id + 1);
            weapons[id] = {std::string(stmt->bytes(1)), std::string(stmt->bytes(2)), static_cast<int>(stmt->integer(3))};
        });
        if (!read)
            return read.error();
    }
    {
        auto stmt = db.prepare("SELECT path, size, lines FROM files ORDER BY added");
        if (!stmt)
            return stmt.error();
        const Status read = stmt->forEachRow([&] {
            view.files.push_back({std::string(stmt->bytes(0)), static_cast<std::uint64_t>(stmt->integer(1)),
                                  static_cast<std::uint64_t>(stmt->integer(2))});
        });
        if (!read)
            return read.error();
    }
    const engine::Game* gameDef = engine::findGame(view.game);
    const MatchMarks marks = gameDef ? matchMarksOf(gameDef->kind) : MatchMarks::None;
    const CivilSeconds since = range.since ? *range.since - ((*range.since % 86400) + 86400) % 86400 : INT64_MIN;
    const CivilSeconds until = range.until ? *range.until - ((*range.until % 86400) + 86400) % 86400 + 86399 : INT64_MAX;

    // Season order: files as first added, matches in file order.
    std::vector<StoredMatch> all;
    {
        auto stmt = db.prepare("SELECT m.start, m.map, f.path, m.kills, m.players, m.top_fragger, m.start_kind, "
                               "m.events, m.tail FROM matches m JOIN files f ON m.file = f.id "
                               "ORDER BY f.added, m.seq");
        if (!stmt)
            return stmt.error();
        const Status read = stmt->forEachRow([&] {
            StoredMatch m;
            m.shown.start = stmt->integer(0);
            m.shown.map = std::string(stmt->bytes(1));
            m.shown.file = std::string(stmt->bytes(2));
            m.shown.kills = stmt->integer(3);
            m.shown.players = stmt->integer(4);
            const auto top = static_cast<std::size_t>(stmt->integer(5));
            m.shown.topFragger = top < names.size() ? names[top] : std::string();
            m.kind = static_cast<StartKind>(stmt->integer(6));
            // Sized once: a console log is one match, whose events may be tens of megabytes.
            m.events.reserve(stmt->bytes(7).size() + stmt->bytes(8).size());
            m.events += stmt->bytes(7);
            m.events += stmt->bytes(8);
            // The bytes before a server log's first map are a match only when something happened there.
            if (marks != MatchMarks::None && m.kind == StartKind::None && m.events.empty())
                return;
            all.push_back(std::move(m));
        });
        if (!read)
            return read.error();
    }

    view.store.CurrentGame = view.game;
    engine::LoadWeaponNames(view.store);
    EloRatings elo(names.size());
    std::vector<std::int64_t> played(names.size(), 0);
    std::vector<CivilSeconds> seen(names.size(), 0);
    std::vector<std::uint32_t> lastMatchOf(names.size(), UINT32_MAX);
    // (person id, rating after the match) of everybody in each selected match, for the chart.
    std::vector<std::vector<std::pair<std::uint32_t, double>>> after;
    {
        engine::EventReplayer replayer(view.store);
        std::vector<int> slots(weapons.size(), -1);
        for (StoredMatch& m : all) {
            if (m.shown.start > until)
                continue;  // ratings are those at the end of the range
            const bool selected = m.shown.start >= since;
            const auto index = static_cast<std::uint32_t>(view.matches.size());
            std::vector<std::uint32_t> present;
            EventReader reader(m.events);
            StoredEvent e;
            while (reader.next(e)) {
                if (e.killer >= names.size() || e.victim >= names.size() || e.weapon >= weapons.size())
                    return damaged(m_impl->path);
                if (e.kind == KillEventKind::Frag && e.killer && e.victim)
                    elo.frag(e.killer, e.victim);
                if (!selected)
                    continue;
                for (const std::uint32_t person : {e.killer, e.victim}) {
                    if (person && lastMatchOf[person] != index) {
                        lastMatchOf[person] = index;
                        present.push_back(person);
                    }
                }
                switch (e.kind) {
                case KillEventKind::Frag: {
                    int& slot = slots[e.weapon];
                    if (slot < 0) {
                        const Weapon& w = weapons[e.weapon];
                        slot = replayer.slotOf(w.key, w.name, w.fixedSlot);
                    }
                    replayer.frag(slot, names[e.killer], names[e.victim]);
                    break;
                }
                case KillEventKind::TeamKill:
                    replayer.teamKill(names[e.killer], names[e.victim]);
                    break;
                case KillEventKind::Suicide:
                    replayer.suicide(names[e.killer]);
                    break;
                }
            }
            if (reader.damaged())
                return damaged(m_impl->path);
            if (!selected)
                continue;
            std::vector<std::pair<std::uint32_t, double>> ratings;
            ratings.reserve(present.size());
            for (const std::uint32_t person : present) {
                ++played[person];
                seen[person] = m.shown.start;
                ratings.emplace_back(person, elo.of(person));
            }
            after.push_back(std::move(ratings));
            view.matches.push_back(std::move(m.shown));
        }
    }

    const auto& people = view.store.People.people();
    std::unordered_map<std::string_view, std::uint32_t> idByName;
    idByName.reserve(names.size());
    for (std::uint32_t id = 1; id < names.size(); ++id)
        idByName.emplace(names[id], id);
    std::vector<std::uint32_t> idOfPerson(people.size(), 0);
    for (std::size_t p = 0; p < people.size(); ++p) {
        const auto found = idByName.find(people[p].name);
        const std::uint32_t id = found == idByName.end() ? 0 : found->second;
        idOfPerson[p] = id;
        view.ratings.push_back(id ? elo.of(id) : kStartRating);
        view.matchesPlayed.push_back(id ? played[id] : 0);
        view.lastSeen.push_back(id ? seen[id] : 0);
    }
    std::vector<std::uint32_t> order(people.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return view.ratings[a] > view.ratings[b]; });
    order.resize(std::min<std::size_t>(order.size(), 10));
    for (const std::uint32_t p : order) {
        RatingHistory history;
        history.person = p;
        for (std::size_t m = 0; m < after.size(); ++m) {
            for (const auto& [id, rating] : after[m]) {
                if (id == idOfPerson[p])
                    history.points.emplace_back(m, rating);
            }
        }
        view.topTenHistory.push_back(std::move(history));
    }
    return view;
}

}  // namespace fragtide::season
