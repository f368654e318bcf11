#pragma once

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/game_catalogue.hpp"
#include "engine/log_analysis.hpp"
#include "season/season_view.hpp"
#include "tests/support/temp_dir.hpp"

// Season views made without a season file: the statistics come from analysing a log written here
// (Quake I : Standard), the matches and ratings are set as a season would set them. For the tests
// of what shows a season (reports, page, window) and their screenshots.
namespace fragtide::testing {

// A frag of one match, by name ("" killer: a suicide).
struct SampleFrag {
    std::string killer;
    std::string victim;
    int weapon = 0;  // 0 axe, 1 nails, 2 rocket, 3 shaft
};

struct SampleMatch {
    season::CivilSeconds start = 0;
    std::string map;
    std::string file;
    std::vector<SampleFrag> frags;
};

inline std::string sampleLine(const SampleFrag& f) {
    if (f.killer.empty())
        return f.victim + " becomes bored with life\n";
    switch (f.weapon) {
    case 1: return f.victim + " was nailed by " + f.killer + "\n";
    case 2: return f.victim + " was gibbed by " + f.killer + "'s rocket\n";
    case 3: return f.victim + " accepts " + f.killer + "'s shaft\n";
    default: return f.victim + " was ax-murdered by " + f.killer + "\n";
    }
}

// The view of `matches` as a season gives it: the store of their lines read in order, the
// rating per frag (Elo, K = 16, from 1000), matches played, last seen and the top ten's history.
inline std::unique_ptr<season::SeasonView> sampleSeasonView(const std::vector<SampleMatch>& matches) {
    auto view = std::make_unique<season::SeasonView>();
    view->game = "Quake I : Standard";
    view->store.CurrentGame = view->game;
    engine::LoadWeaponNames(view->store);
    std::string log;
    for (const SampleMatch& m : matches) {
        for (const SampleFrag& f : m.frags)
            log += sampleLine(f);
    }
    TempDir dir;
    if (!engine::analyzeFile(view->store, dir.write("season.log", log)))
        return view;
    const auto& people = view->store.People.people();
    const std::size_t count = people.size();
    view->ratings.assign(count, 1000.0);
    view->matchesPlayed.assign(count, 0);
    view->lastSeen.assign(count, 0);
    std::vector<std::vector<std::pair<std::size_t, double>>> history(count);
    for (std::size_t i = 0; i < matches.size(); ++i) {
        const SampleMatch& m = matches[i];
        std::map<std::string, std::int64_t> fragsIn;
        std::vector<bool> seen(count, false);
        std::string top;
        std::int64_t topFrags = 0;
        std::int64_t kills = 0;
        for (const SampleFrag& f : m.frags) {
            const auto victim = *view->store.People.find(f.victim);
            seen[victim] = true;
            if (f.killer.empty())
                continue;
            const auto killer = *view->store.People.find(f.killer);
            seen[killer] = true;
            ++kills;
            if (++fragsIn[f.killer] > topFrags) {
                topFrags = fragsIn[f.killer];
                top = f.killer;
            }
            double& rk = view->ratings[killer];
            double& rv = view->ratings[victim];
            const double gain = 16.0 * (1.0 - 1.0 / (1.0 + std::pow(10.0, (rv - rk) / 400.0)));
            rk += gain;
            rv -= gain;
        }
        std::int64_t players = 0;
        for (std::size_t p = 0; p < count; ++p) {
            if (!seen[p])
                continue;
            ++players;
            ++view->matchesPlayed[p];
            view->lastSeen[p] = m.start;
            history[p].emplace_back(i, view->ratings[p]);
        }
        view->matches.push_back({m.start, m.map, m.file, kills, players, top});
    }
    std::vector<std::uint32_t> best(count);
    for (std::uint32_t p = 0; p < count; ++p)
        best[p] = p;
    std::stable_sort(best.begin(), best.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return view->ratings[a] > view->ratings[b]; });
    for (std::size_t i = 0; i < best.size() && i < 10; ++i)
        view->topTenHistory.push_back({best[i], history[best[i]]});
    return view;
}

// A season of `players` players over `matchCount` matches on a few maps, one a day from
// 2026-11-01 20:00, with skills that differ so that the ranking spreads.
inline std::unique_ptr<season::SeasonView> generatedSeasonView(int players, int matchCount, unsigned seed = 7) {
    static const char* const kNames[] = {"Thorn", "Vexa", "Ruin", "Kestrel", "Moloch", "Ember", "Sable", "Quill",
                                         "Gorefiend", "Nyx", "Brakk", "Hollow", "Vantage", "Pike", "Rook",
                                         "Cinder", "Wraith", "Tallow", "Ossian", "Jinx", "Marrow", "Fable",
                                         "Dusk", "Lumen"};
    static const char* const kMaps[] = {"e1m1", "dm4", "e1m7", "dm6", "e2m2"};
    std::mt19937 random(seed);
    std::vector<SampleMatch> matches;
    for (int i = 0; i < matchCount; ++i) {
        SampleMatch m;
        m.start = (20758 + i) * 86400LL + 20 * 3600 + (i * 7 % 60) * 60;  // 2026-11-01 onwards
        m.map = kMaps[random() % 5];
        m.file = "logs/qconsole-" + std::to_string(1001 + i) + ".log";
        std::vector<int> in;
        for (int p = 0; p < players; ++p) {
            if (random() % 10 < 7)
                in.push_back(p);
        }
        if (in.size() < 2)
            in = {0, 1};
        const int frags = 30 + static_cast<int>(random() % 40);
        for (int k = 0; k < frags; ++k) {
            // Lower-numbered players win more duels: a skill ladder.
            int a = in[random() % in.size()];
            int b = in[random() % in.size()];
            if (a == b) {
                m.frags.push_back({"", kNames[a % 24], 0});
                continue;
            }
            if (random() % (players + 4) < static_cast<unsigned>(b - a + players / 2 + 2))
                std::swap(a, b);
            m.frags.push_back({kNames[b % 24], kNames[a % 24], static_cast<int>(random() % 4)});
        }
        matches.push_back(std::move(m));
    }
    return sampleSeasonView(matches);
}

}  // namespace fragtide::testing
