#include "engine/people_table.hpp"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <utility>
#include <string>
#include <vector>

#include "engine/game_catalogue.hpp"
#include "engine/pair_index.hpp"
#include "engine/reference/analyze_bytes.hpp"
#include "engine/reference/reference_people.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

using Person = PeopleTable::Person;

// "name frags/deaths/suicides/teamKills victims", victims as "name*count,...": one line per
// person, so a failure shows the whole table.
std::string describe(const PeopleTable& table) {
    std::string out;
    for (const Person& p : table.people()) {
        out += std::string(p.name) + " " + std::to_string(p.frags) + "/" + std::to_string(p.deaths) + "/" +
               std::to_string(p.suicides) + "/" + std::to_string(p.teamKills);
        for (std::size_t i = 0; i < p.victims.size(); ++i) {
            out += i == 0 ? " " : ",";
            out += std::string(table.people()[p.victims[i].person].name) + "*" + std::to_string(p.victims[i].frags);
        }
        out += "\n";
    }
    return out;
}

StatsStore analysed(std::string_view game, std::string_view log, const AnalysisOptions& options = {}) {
    StatsStore store;
    store.CurrentGame = game;
    const auto lines = reference::analyzeBytes(store, log, options);
    EXPECT_TRUE(lines) << lines.error().message;
    return store;
}

// Pairs in the grid, beyond it on either side, and the first of them in it (the grid not there
// yet): each keeps its own places, and a clear forgets them all.
TEST(PairIndex, KeepsEachPairApartInAndBeyondTheGridWhicheverComesFirst) {
    constexpr std::uint32_t side = PairIndex::kGridSide;
    const std::pair<std::uint32_t, std::uint32_t> pairs[] = {
        {200, 3}, {3, 200}, {0, 0}, {side - 1, side - 1}, {side - 1, side}, {side, side - 1},
        {5, 9},   {9, 5},   {1000000, 1}, {1, 1000000}, {side, side},
    };
    PairIndex index;
    const auto places = [&](std::uint32_t k, std::uint32_t v) -> std::pair<std::uint32_t&, std::uint32_t&> {
        if (PairIndex::Slots* slots = index.inGrid(k, v))
            return {slots->victimAt, slots->killerAt};
        EXPECT_TRUE(k >= side || v >= side) << k << " " << v;
        return {index.victimAt(k, v), index.killerAt(k, v)};
    };
    for (int round = 0; round < 2; ++round) {
        for (std::uint32_t i = 0; i < std::size(pairs); ++i) {
            auto [victimAt, killerAt] = places(pairs[i].first, pairs[i].second);
            ASSERT_EQ(victimAt, PairIndex::kNone) << "pair " << i << " round " << round;
            ASSERT_EQ(killerAt, PairIndex::kNone) << "pair " << i << " round " << round;
            victimAt = i;
            killerAt = i + 100;
        }
        for (std::uint32_t i = 0; i < std::size(pairs); ++i) {
            const auto [victimAt, killerAt] = places(pairs[i].first, pairs[i].second);
            EXPECT_EQ(victimAt, i) << "pair " << i;
            EXPECT_EQ(killerAt, i + 100) << "pair " << i;
        }
        index.clear(1000001);
    }
}

TEST(PeopleTable, CountsKillsTeamKillsAndSuicidesByExactName) {
    PeopleTable t;
    t.recordKill("Bob", "Ann");
    t.recordKill("Bob", "ann");  // names differ by their bytes
    t.recordKill("Ann", "Bob");
    t.recordKill("Bob", "Ann");
    t.recordKill("", "Carl");    // a frag by nobody is still a death
    t.recordKill("Dave", "");    // an empty victim dies uncounted
    t.recordTeamKill("Eve", "Bob");
    t.recordTeamKill("Eve", "");
    t.recordSuicide("Fay");
    t.recordSuicide("");
    EXPECT_EQ(describe(t),
              "Bob 3/2/0/0 Ann*2,ann*1\n"
              "Ann 1/2/0/0 Bob*1\n"
              "ann 0/1/0/0\n"
              "Carl 0/1/0/0\n"
              "Dave 1/0/0/0\n"
              "Eve 0/0/0/2\n"
              "Fay 0/0/1/0\n");
    const auto ann = t.find("Ann");
    ASSERT_TRUE(ann);
    const auto& killers = t.people()[*ann].killedBy;
    ASSERT_EQ(killers.size(), 1u);
    EXPECT_EQ(t.people()[killers[0].person].name, "Bob");
    EXPECT_EQ(killers[0].frags, 2);
    EXPECT_FALSE(t.find(""));
}

// Events as (kind, a, b): merging the tables of any split equals recording all of them in one.
TEST(PeopleTable, MergingPartsInOrderEqualsOneTable) {
    std::mt19937 rng(11);
    const char* const names[] = {"A", "B", "C", "D", "E", "F", "G"};
    struct Event {
        int kind;
        std::string a, b;
    };
    for (int round = 0; round < 40; ++round) {
        std::vector<Event> events;
        for (int i = 0; i < 60; ++i)
            events.push_back({static_cast<int>(rng() % 4), names[rng() % 7], names[rng() % 7]});
        const auto apply = [](PeopleTable& t, const Event& e) {
            if (e.kind <= 1)
                t.recordKill(e.a, e.b);
            else if (e.kind == 2)
                t.recordTeamKill(e.a, e.b);
            else
                t.recordSuicide(e.a);
        };
        PeopleTable whole;
        for (const Event& e : events)
            apply(whole, e);
        PeopleTable merged;
        std::size_t at = 0;
        while (at < events.size()) {
            const std::size_t end = std::min(events.size(), at + 1 + rng() % 20);
            PeopleTable part;
            for (; at < end; ++at)
                apply(part, events[at]);
            merged.merge(part);
        }
        ASSERT_TRUE(merged == whole) << describe(merged) << "instead of\n" << describe(whole);
    }
}

// Far more people than the flat grid of pairs holds (128) and than 200,
// names that differ only in their last bytes: the table equals the plain model, recorded whole,
// merged from parts of any size, and in part tables reused after clear() as the analysis reuses
// them (a reused table must forget the pairs of its last part, in the grid and beyond it).
TEST(PeopleTable, ManyPeopleEqualThePlainModelWholeAndMergedFromReusedParts) {
    std::mt19937 rng(23);
    std::vector<std::string> names = {""};
    for (int i = 0; i < 700; ++i)
        names.push_back("[Clan] Fragger " + std::to_string(i) + (i % 2 ? "" : "\xff"));
    const auto name = [&] { return names[rng() % 4 ? rng() % names.size() : rng() % 20]; };
    struct Event {
        int kind;
        std::string a, b;
    };
    std::vector<Event> events;
    for (int i = 0; i < 30000; ++i)
        events.push_back({static_cast<int>(rng() % 6), name(), name()});
    const auto apply = [](PeopleTable& t, const Event& e) {
        if (e.kind <= 3)
            t.recordKill(e.a, e.b);
        else if (e.kind == 4)
            t.recordTeamKill(e.a, e.b);
        else
            t.recordSuicide(e.a);
    };
    reference::ReferencePeople ref;
    PeopleTable whole;
    for (const Event& e : events) {
        apply(whole, e);
        if (e.kind <= 3)
            ref.kill(e.a, e.b);
        else if (e.kind == 4)
            ref.teamKill(e.a, e.b);
        else
            ref.suicide(e.a);
    }
    ASSERT_GT(ref.people.size(), 600u);
    EXPECT_EQ(reference::differenceFrom(whole, ref), "");
    // Copies keep names and rival lists of their own when the original is cleared and refilled.
    const PeopleTable copy = whole;
    PeopleTable assigned;
    assigned.recordKill("Old", "Older");
    assigned = whole;
    whole.clear();
    for (auto e = events.rbegin(); e != events.rend(); ++e)
        apply(whole, *e);
    EXPECT_EQ(reference::differenceFrom(copy, ref), "");
    EXPECT_EQ(reference::differenceFrom(assigned, ref), "");

    for (const std::size_t most : {50u, 3000u, 12000u}) {
        SCOPED_TRACE("parts of up to " + std::to_string(most) + " events");
        PeopleTable merged;
        PeopleTable parts[2];
        std::size_t at = 0;
        for (int k = 0; at < events.size(); ++k) {
            PeopleTable& part = parts[k % 2];
            part.clear();
            const std::size_t end = std::min(events.size(), at + 1 + rng() % most);
            for (; at < end; ++at)
                apply(part, events[at]);
            merged.merge(part);
        }
        EXPECT_EQ(reference::differenceFrom(merged, ref), "");
        EXPECT_TRUE(merged == copy);
    }
}

TEST(PeopleTable, RivalListsOfThousandsKeepTheirOrderAndCounts) {
    // Lists that outgrow the pool's blocks, beside thousands of one-rival lists.
    PeopleTable t;
    constexpr int kVictims = 9000;
    for (int round = 0; round < 2; ++round) {
        for (int v = 0; v < kVictims; ++v)
            t.recordKill("Ann", "v" + std::to_string(v));
    }
    const Person& ann = t.people()[*t.find("Ann")];
    ASSERT_EQ(ann.victims.size(), std::size_t{kVictims});
    EXPECT_EQ(ann.frags, 2 * kVictims);
    for (int v = 0; v < kVictims; v += 997) {
        SCOPED_TRACE(v);
        EXPECT_EQ(t.people()[ann.victims[v].person].name, "v" + std::to_string(v));
        EXPECT_EQ(ann.victims[v].frags, 2);
        const Person& victim = t.people()[ann.victims[v].person];
        ASSERT_EQ(victim.killedBy.size(), 1u);
        EXPECT_EQ(victim.killedBy[0].frags, 2);
    }
}

// Victim first: deaths go to the head of the line, trimmed and without one trailing "'s".
TEST(PeopleTable, QuakeDeathsAndVictimsFromAHandWorkedLog) {
    const StatsStore store = analysed("Quake I : Standard",
                                      "  Ann  was nailed by Bob\n"
                                      "Ann's chewed on Bob's boomstick\n"
                                      "Bob 's was ax-murdered by Ann\n"
                                      "Ann rides Bob was nailed by Carl's rocket\n"  // slots 4 and 7
                                      " was nailed by Bob\n"                         // nobody dies
                                      "Carl becomes bored with life\n"
                                      "Carl was nailed by Bob died\n"                // a kill, not a suicide
                                      "Dave mows down a teammate\n"
                                      "Satan's power deflects Eve's telefrag\n");
    EXPECT_EQ(describe(store.People),
              "Bob 3/0/0/0 Ann*2\n"
              "Ann 1/3/0/0 Bob *1\n"
              "Bob  0/1/0/0\n"
              "Carl's rocket 1/0/0/0 Ann rides Bob*1\n"
              "Ann rides Bob 0/1/0/0\n"
              "Bob was nailed by Carl 1/0/0/0 Ann*1\n"
              "Carl 0/1/1/0\n"
              "Bob died 1/0/0/0 Carl*1\n"
              "Dave 0/0/0/1\n"
              "Eve 0/0/1/0\n");
    // The player table is what it always was.
    EXPECT_EQ(store.PlayerNames()[1], "Bob");
    EXPECT_EQ(store.PlayerNames()[2], "Ann");
}

// Killer first; the victim is what lies between the middle text and the trailing one.
TEST(PeopleTable, CounterStrikeDeathsAndVictimsFromAHandWorkedLog) {
    const StatsStore store = analysed("Half-Life : Counter-Strike",
                                      "Bob killed  Ann  with awp\r\n"
                                      "Bob's killed Ann's with knife\r\n"
                                      "Ann killed Carl killed Bob with usp\r\n"
                                      "Dan killed  with knife\r\n"
                                      "Ann committed suicide\r\n");
    EXPECT_EQ(describe(store.People),
              "Bob 2/1/0/0 Ann*2\n"
              "Ann 0/2/0/0\n"
              "Ann killed Carl 1/0/0/0 Bob*1\n"
              "Dan 1/0/0/0\n");
}

// Every message of every table, on a line of its own, credits the person it names and nobody else.
TEST(PeopleTable, EachOneNameMessageCreditsTheNamedPerson) {
    for (const Game& game : games()) {
        if (!game.oneName)
            continue;
        for (const bool suicide : {true, false}) {
            for (const rules::OneNameMessage& m : suicide ? game.oneName->suicides : game.oneName->teamKills) {
                const std::string line = std::string(m.leading) + " Zed Q's " + std::string(m.trailing);
                SCOPED_TRACE(std::string(game.displayName) + ": " + line);
                const StatsStore store = analysed(game.displayName, line + "\n");
                EXPECT_EQ(describe(store.People), suicide ? "Zed Q 0/0/1/0\n" : "Zed Q 0/0/0/1\n");
            }
        }
    }
}

// Logs of kill lines, one-name lines and noise, with names that hold kill and suicide texts,
// spaces and "'s", and more people than the player table keeps.
std::string generatedLog(const Game& game, unsigned seed, int lines, int numberedNames = 300) {
    std::mt19937 rng(seed);
    std::vector<std::string> names = {"Ann", " Bob ", "Carl's", "Dan 's", "", "  ", "Eve was nailed by Fay",
                                      "Gus died", "Hal killed Ida"};
    for (int i = 0; i < numberedNames; ++i)
        names.push_back("P" + std::to_string(i));
    const auto name = [&] {
        // Mostly a few regulars, so people meet each other often.
        return names[rng() % 3 == 0 ? rng() % names.size() : rng() % 12];
    };
    std::vector<rules::OneNameMessage> oneName;
    if (game.oneName) {
        oneName.assign(game.oneName->suicides.begin(), game.oneName->suicides.end());
        oneName.insert(oneName.end(), game.oneName->teamKills.begin(), game.oneName->teamKills.end());
    }
    const char* const endings[] = {"\n", "\r\n", "\r"};
    std::string log;
    for (int i = 0; i < lines; ++i) {
        const unsigned pick = rng() % 10;
        if (pick < 5) {
            const auto& slot = game.rules->slots[rng() % game.rules->slots.size()];
            const auto& rule = slot.rules[rng() % slot.rules.size()];
            log += name() + std::string(rule.middle) + name() + std::string(rule.trailing);
        } else if (pick < 8 && !oneName.empty()) {
            const auto& m = oneName[rng() % oneName.size()];
            log += std::string(m.leading) + name() + std::string(m.trailing);
        } else {
            log += name() + ": gg";
        }
        log += endings[rng() % 3];
    }
    return log;
}

TEST(PeopleTable, AnalysisOnSeveralThreadsEqualsThePlainReference) {
    unsigned seed = 40;
    for (const Game& game : games()) {
        if (!game.rules)
            continue;
        SCOPED_TRACE(std::string(game.displayName));
        const std::string log = generatedLog(game, seed++, 3000);
        const reference::ReferencePeople ref = reference::referencePeople(game, log);
        for (const unsigned threads : {1u, 3u}) {
            SCOPED_TRACE("threads " + std::to_string(threads));
            const StatsStore store = analysed(game.displayName, log, {.partBytes = 1500, .threads = threads});
            EXPECT_EQ(reference::differenceFrom(store.People, ref), "");
        }
        EXPECT_GT(ref.people.size(), 200u) << "the log should name hundreds of people";
    }
}

// Several times more people than the grid of pairs and the full weapon rows hold ("P1", "P10" and "P100"
// differ only in their last bytes), parts as small as a few lines: one result on any threads.
TEST(PeopleTable, ManyPeopleGiveOneResultOnAnyThreads) {
    const Game& game = *findGame("Quake II : Standard");
    const std::string log = generatedLog(game, 77, 30000, 3000);
    const reference::ReferencePeople ref = reference::referencePeople(game, log);
    ASSERT_GT(ref.people.size(), 600u);
    const StatsStore one = analysed(game.displayName, log, {.threads = 1});
    ASSERT_GT(one.playerCount(), static_cast<int>(WeaponFragTable::kDenseRows)) << "players past the full rows";
    EXPECT_EQ(reference::differenceFrom(one.People, ref), "");
    for (const unsigned threads : {2u, 4u}) {
        SCOPED_TRACE("threads " + std::to_string(threads));
        const StatsStore many = analysed(game.displayName, log, {.partBytes = 900, .threads = threads});
        EXPECT_TRUE(many.People == one.People);
        EXPECT_EQ(many.PlayerNames(), one.PlayerNames());
        EXPECT_TRUE(many.PlayerWeaponFrags == one.PlayerWeaponFrags);
        EXPECT_EQ(many.WeaponFrags, one.WeaponFrags);
    }
}

// Server logs: names are fields and kept exactly; team kills are deaths, not frags.
TEST(PeopleTable, HalfLifeServerLogTeamKillsSuicidesAndBots) {
    const StatsStore store =
        analysed("Half-Life : Server Log",
                 "L 12/07/2026 - 20:14:31: \"Rook<2><STEAM_0:1:4><CT>\" killed \"Nadia<3><STEAM_ID_LAN><TERRORIST>\" "
                 "with \"m4a1\" (headshot)\n"
                 "\"[BOT] Ivo<4><BOT><TERRORIST>\" killed \"Nadia<3><STEAM_ID_LAN><TERRORIST>\" with \"ak47\"\n"
                 "\"Rook 's<2><STEAM_0:1:4><CT>\" killed \"[BOT] Ivo<4><BOT><TERRORIST>\" with \"awp\"\n"
                 "\"Nadia<3><STEAM_ID_LAN><Unassigned>\" killed \"Kay<6><x><Unassigned>\" with \"knife\"\n"
                 "L 12/07/2026 - 20:15:09: \"[BOT] Ivo<4><BOT><TERRORIST>\" committed suicide with \"grenade\"\n"
                 "\"<1><BOT><CT>\" killed \"Rook<2><STEAM_0:1:4><TERRORIST>\" with \"knife\"\n");
    EXPECT_EQ(describe(store.People),
              "Rook 1/1/0/0 Nadia*1\n"
              "Nadia 1/2/0/0 Kay*1\n"
              "[BOT] Ivo 0/1/1/1\n"
              "Rook 's 1/0/0/0 [BOT] Ivo*1\n"
              "Kay 0/1/0/0\n");
}

TEST(PeopleTable, StdLogKillsAndSuicides) {
    const StatsStore store = analysed("Quake II : StdLog",
                                      "\t\tStdLog\t1.2\n"
                                      "Rook\tNadia\tKill\tRailgun\t1\t41\t35\n"
                                      " Nadia \tRook\tKill\tRocket Launcher\n"
                                      "\tIvo\tSuicide\tLava\t-1\t71\t90\n"
                                      "Rook\t\tKill\tRailgun\n"
                                      "\tNadia\tKill\tBlaster\n");
    EXPECT_EQ(describe(store.People),
              "Rook 2/1/0/0 Nadia*1\n"
              "Nadia 0/2/0/0\n"
              " Nadia  1/0/0/0 Rook*1\n"
              "Ivo 0/0/1/0\n");
}

// Pieces of a server log merge their people in file order, as for the console games.
TEST(PeopleTable, ServerLogsGiveTheSamePeopleOnAnyThreads) {
    std::mt19937 rng(5);
    std::string hl, stdlog;
    const auto name = [&] { return "P" + std::to_string(rng() % 40); };
    const char* const teams[] = {"CT", "TERRORIST", "Unassigned", ""};
    for (int i = 0; i < 4000; ++i) {
        const unsigned pick = rng() % 4;
        if (pick == 3) {
            hl += "\"" + name() + "<1><BOT><CT>\" committed suicide with \"world\"\n";
            stdlog += "\t" + name() + "\tSuicide\tLava\n";
        } else {
            hl += "\"" + name() + "<1><BOT><" + teams[rng() % 4] + ">\" killed \"" + name() + "<2><BOT><" +
                  teams[rng() % 4] + ">\" with \"knife\"\n";
            stdlog += name() + "\t" + name() + "\tKill\tRailgun\n";
        }
    }
    for (const auto& [game, log] : {std::pair{"Half-Life : Server Log", hl}, std::pair{"Quake II : StdLog", stdlog}}) {
        SCOPED_TRACE(game);
        const StatsStore one = analysed(game, log, {.threads = 1});
        const StatsStore three = analysed(game, log, {.partBytes = 700, .threads = 3});
        EXPECT_GT(one.People.people().size(), 30u);
        EXPECT_TRUE(one.People == three.People) << describe(three.People) << "instead of\n" << describe(one.People);
    }
}

}  // namespace
}  // namespace fragtide::engine
