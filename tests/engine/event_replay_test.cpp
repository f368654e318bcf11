// A kept history replays into the very store its analysis gave: the season relies on it for every
// game, whatever pieces and threads the analysis used.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "engine/event_replay.hpp"
#include "engine/game_catalogue.hpp"
#include "engine/log_analysis.hpp"
#include "engine/stats_store.hpp"
#include "tests/support/temp_dir.hpp"

namespace fragtide::engine {
namespace {

StatsStore storeFor(const std::string& game) {
    StatsStore store;
    store.CurrentGame = game;
    LoadWeaponNames(store);
    return store;
}

// Every event of `kept` credited by name into a store of its own.
StatsStore replayed(const StatsStore& kept) {
    StatsStore store = storeFor(kept.CurrentGame);
    EventReplayer replay(store);
    const auto name = [&](std::uint32_t person) {
        return person == PeopleTable::kNobody ? std::string_view() : std::string_view(kept.People.people()[person].name);
    };
    for (const KillEvent& e : kept.Events) {
        switch (e.kind) {
        case KillEventKind::Frag:
            replay.frag(replay.slotOf(kept.WeaponKeys[e.slot], kept.WeaponNames[e.slot], e.slot), name(e.killer),
                        name(e.victim));
            break;
        case KillEventKind::TeamKill:
            replay.teamKill(name(e.killer), name(e.victim));
            break;
        case KillEventKind::Suicide:
            replay.suicide(name(e.killer));
            break;
        }
    }
    return store;
}

void expectSameStatistics(const StatsStore& a, const StatsStore& b) {
    EXPECT_EQ(a.PlayerNames(), b.PlayerNames());
    EXPECT_EQ(a.PlayerWeaponFrags, b.PlayerWeaponFrags);
    EXPECT_EQ(a.WeaponFrags, b.WeaponFrags);
    EXPECT_EQ(a.WeaponNames, b.WeaponNames);
    EXPECT_TRUE(a.People == b.People);
}

struct Sample {
    const char* file;
    const char* game;
};

// Small pieces on three threads: the events of many pieces merge, some pieces are read again.
TEST(EventReplay, EverySampleReplaysIntoTheStoreItsAnalysisGave) {
    const Sample samples[] = {
        {"q1_standard.log", "Quake I : Standard"},      {"q1_ctf.log", "Quake I : Capture The Flag"},
        {"q2_action.log", "Quake II : Action Quake"}, {"cs.log", "Half-Life : Counter-Strike"},
        {"hl_server.log", "Half-Life : Server Log"},    {"q2_stdlog.log", "Quake II : StdLog"},
        {"cs2_server.log", "Counter-Strike 2 : Server Log"}, {"q3_games.log", "Quake III : Server Log"},
    };
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.file);
        ASSERT_NE(findGame(s.game), nullptr);
        const std::string path = std::string(FRAGTIDE_SAMPLES) + "/" + s.file;
        StatsStore plain = storeFor(s.game);
        ASSERT_TRUE(analyzeFile(plain, path));
        for (const std::size_t partBytes : {std::size_t{97}, std::size_t{4} << 20}) {
            StatsStore kept = storeFor(s.game);
            kept.KeepEvents = true;
            AnalysisOptions options;
            options.partBytes = partBytes;
            options.threads = 3;
            options.manyPeople = partBytes < 1000 ? 0 : options.manyPeople;  // 0: every piece in a part
            ASSERT_TRUE(analyzeFile(kept, path, {}, options));
            EXPECT_FALSE(kept.Events.empty());
            expectSameStatistics(kept, plain);
            expectSameStatistics(replayed(kept), plain);
        }
    }
}

// A log naming more weapons than there are slots: the rest share slot 50 on replay too.
TEST(EventReplay, WeaponsPastTheLastSlotShareItOnReplay) {
    testing::TempDir dir;
    std::string log;
    for (int w = 0; w < 70; ++w)
        log += "L 01/02/2026 - 10:00:00: \"A<1><STEAM_1><CT>\" killed \"B<2><STEAM_2><TERRORIST>\" with \"w" +
               std::to_string(w) + "\"\n";
    const auto path = dir.path() / "many_weapons.log";
    std::ofstream(path, std::ios::binary) << log;
    StatsStore kept = storeFor("Half-Life : Server Log");
    kept.KeepEvents = true;
    AnalysisOptions options;
    options.partBytes = 300;
    options.threads = 2;
    ASSERT_TRUE(analyzeFile(kept, path, {}, options));
    EXPECT_EQ(kept.WeaponFrags[kMaxSlot], 21);
    expectSameStatistics(replayed(kept), kept);
}

}  // namespace
}  // namespace fragtide::engine
