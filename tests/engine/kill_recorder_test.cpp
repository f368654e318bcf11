#include "engine/kill_recorder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/obituary_matcher.hpp"
#include "engine/stats_store.hpp"
#include "engine/store_merge.hpp"

namespace fragtide::engine {
namespace {

TEST(RecordKill, NormalisesNamesLikeStoredLogsExpect) {
    struct Case {
        std::string_view raw, key;
    };
    const Case cases[] = {
        {"  Jim's ", "Jim"},         {"Bob 's", "Bob "},   {"Eve's's", "Eve's"}, {"\tTab ", "\tTab"},
        {"bob", "bob"},              {"   ", ""},          {"'s", ""},           {"Alice'", "Alice'"},
        {" Ann Lee ", "Ann Lee"},    {"S", "S"},           {"Bob's ", "Bob"},    {" 's", ""},
        {"'", "'"},                  {"s", "s"},           {"Jo\xff's", "Jo\xff"}, {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.raw));
        EXPECT_EQ(normalizeName(c.raw), c.key);
    }
}

TEST(RecordKill, CreditsTheKillerOncePerSlotWhateverTheCount) {
    StatsStore store;
    ASSERT_EQ(MatchObituary(store, "Alice was gibbed by Bob's grenade", " was gibbed by ", "'s grenade", 0), 1);
    RecordKill(store, 1, 6, "");
    EXPECT_EQ(store.WeaponFrags[6], 1);
    EXPECT_EQ(store.VictimName, "Alice");
    EXPECT_EQ(store.PlayerNames()[1], "Bob");
    EXPECT_EQ(store.PlayerWeaponFrags[1][6], 1);

    ASSERT_EQ(MatchObituary(store, "Carol was nailed by Bob", " was nailed by ", "", 0), 1);
    RecordKill(store, 2, 4, "");  // two rules of the slot matched: still one kill
    EXPECT_EQ(store.WeaponFrags[4], 1);
    EXPECT_EQ(store.PlayerWeaponFrags[1][4], 1);
    EXPECT_EQ(store.playerCount(), 1);

    store.KillerName = "  spaced  ";
    RecordKill(store, 0, 4, "");  // no match: nothing changes, not even the spacing
    EXPECT_EQ(store.KillerName, "  spaced  ");
    EXPECT_EQ(store.WeaponFrags[4], 1);

    store.KillerName = "bob";
    RecordKill(store, 1, 4, "");
    EXPECT_EQ(store.PlayerNames()[2], "bob") << "letter case makes another player";

    store.KillerName = " Eve's's ";
    RecordKill(store, 1, 4, "");
    EXPECT_EQ(store.KillerName, "Eve's") << "one \"'s\" only";
    EXPECT_EQ(store.PlayerNames()[3], "Eve's");
}

TEST(RecordKill, CountsAnUnnamedKillerForTheWeaponOnly) {
    StatsStore store;
    store.KillerName = "  's";
    RecordKill(store, 1, 1, "");
    EXPECT_EQ(store.WeaponFrags[1], 1);
    EXPECT_EQ(store.playerCount(), 0);
    store.KillerName = "Max";
    RecordKill(store, 1, 1, "");
    EXPECT_EQ(store.PlayerNames()[1], "Max");
    EXPECT_EQ(store.PlayerWeaponFrags[1][1], 1) << "the unnamed kill must not pass to the next player";
}

TEST(RecordKill, CreditsEveryKillerHoweverMany) {
    StatsStore store;
    for (int i = 1; i <= 250; ++i) {
        store.KillerName = "P" + std::to_string(i);
        RecordKill(store, 1, 2, "");
    }
    store.KillerName = "P7";
    RecordKill(store, 1, 2, "");
    store.KillerName = "P250";
    RecordKill(store, 1, 2, "");
    EXPECT_EQ(store.WeaponFrags[2], 252);
    ASSERT_EQ(store.playerCount(), 250);
    EXPECT_EQ(store.PlayerNames()[250], "P250");
    EXPECT_EQ(store.findPlayer("P201"), 201);
    EXPECT_EQ(store.PlayerWeaponFrags[7][2], 2);
    EXPECT_EQ(store.PlayerWeaponFrags[250][2], 2);
    EXPECT_EQ(store.PlayerWeaponFrags[0][2], 0);
}

TEST(RecordKill, CountsPast32767) {
    StatsStore store;
    for (int i = 0; i < 40000; ++i) {
        store.KillerName = "Bob";
        RecordKill(store, 1, 3, "");
    }
    EXPECT_EQ(store.WeaponFrags[3], 40000);
    EXPECT_EQ(store.PlayerWeaponFrags[1][3], 40000);
}

// Over 250 killers, named in several raw forms, some of whom appear (dying, or killing themselves)
// before their first kill: every one a player, in the order of their first kill, as a plain list
// says; and exactly the same when the kills are counted in parts merged in file order, as the
// analysis does.
TEST(RecordKill, PlayerTableEqualsAPlainListWholeAndMergedFromParts) {
    std::mt19937 rng(31);
    std::vector<std::string> raw = {"", "  ", "'s"};
    for (int i = 0; i < 260; ++i) {
        const std::string n = "P" + std::to_string(i);
        raw.insert(raw.end(), {n, " " + n + " ", n + "'s"});
    }
    struct Kill {
        int slot;
        std::string killer, victim;
        bool suicide;
    };
    std::vector<Kill> kills;
    for (int i = 0; i < 20000; ++i) {
        // Newcomers arrive slowly, so that parts of the log meet different people first.
        const std::size_t known = std::min(raw.size(), std::size_t{30} + static_cast<std::size_t>(i) / 25);
        kills.push_back({1 + static_cast<int>(rng() % kMaxSlot), raw[rng() % known], raw[rng() % known], rng() % 7 == 0});
    }
    const auto apply = [](StatsStore& store, const Kill& k) {
        if (k.suicide)
            store.People.recordSuicide(normalizeName(k.killer));
        else
            creditKill(store, k.slot, k.killer, k.victim);
    };

    std::vector<std::string> players;
    std::map<std::pair<std::size_t, int>, FragCount> frags;
    for (const Kill& k : kills) {
        const std::string killer(normalizeName(k.killer));
        if (k.suicide || killer.empty())
            continue;
        auto at = std::find(players.begin(), players.end(), killer);
        if (at == players.end())
            at = players.insert(players.end(), killer);
        ++frags[{static_cast<std::size_t>(at - players.begin()) + 1, k.slot}];
    }
    ASSERT_GT(players.size(), 250u);

    StatsStore whole;
    for (const Kill& k : kills)
        apply(whole, k);
    ASSERT_EQ(whole.playerCount(), static_cast<int>(players.size()));
    for (int p = 1; p <= whole.playerCount(); ++p) {
        ASSERT_EQ(whole.PlayerNames()[p], players[static_cast<std::size_t>(p) - 1]) << "player " << p;
        for (int s = 1; s <= kMaxSlot; ++s) {
            const auto it = frags.find({static_cast<std::size_t>(p), s});
            ASSERT_EQ(whole.PlayerWeaponFrags[p][s], it == frags.end() ? 0 : it->second) << p << "/" << s;
        }
    }

    for (const std::size_t most : {40u, 900u, 7000u}) {
        SCOPED_TRACE("parts of up to " + std::to_string(most) + " kills");
        StatsStore merged;
        StatsStore part;  // reused, as the analysis reuses its parts
        for (std::size_t at = 0; at < kills.size();) {
            const std::size_t end = std::min(kills.size(), at + 1 + rng() % most);
            part.resetCounts();
            for (std::size_t i = at; i < end; ++i)
                apply(part, kills[i]);
            mergeStore(merged, part);
            at = end;
        }
        EXPECT_EQ(merged.PlayerNames(), whole.PlayerNames());
        EXPECT_TRUE(merged.PlayerWeaponFrags == whole.PlayerWeaponFrags);
        EXPECT_EQ(merged.WeaponFrags, whole.WeaponFrags);
        EXPECT_TRUE(merged.People == whole.People);
    }
}


// Raw names the crediter's memory could confuse: equal in their first eight and last eight bytes
// and length but not in between, at every length around the remembered limit; equal but for one
// byte anywhere in a short name; spaces at either end and "'s"; NUL bytes; and far more names than
// the memory holds, so that entries are displaced and met again. Each name sits in a block of
// exactly its size, so that a read past a name's end shows under a sanitizer.
class RawNames {
public:
    RawNames() {
        std::vector<std::string> names = {"", " ", "  ", "'s", " 's", "s", "'", "Bob", "Bob's", " Bob", "Bob ",
                                          "  Bob's  ", "Bob 's", "Bob's's", std::string("B\0b", 3),
                                          std::string("\0\0\0\0", 4), std::string(8, '\0')};
        for (std::size_t n = 1; n <= 30; ++n) {
            const std::string base = "[Clan] Fragger" + std::string(n, '-');
            const std::string same(base.substr(0, n));
            for (std::size_t at = 0; at < n; ++at) {
                std::string other = same;
                other[at] = static_cast<char>(other[at] ^ 0x01);
                names.push_back(other);
            }
            names.push_back(same);
            names.push_back(" " + same);
            names.push_back(same + "'s");
            names.push_back(same + " ");
        }
        for (int i = 0; i < 3000; ++i)
            names.push_back("Player" + std::to_string(i) + (i % 5 == 0 ? " " : ""));
        for (const std::string& n : names) {
            m_blocks.push_back(std::make_unique<char[]>(n.size() + 1));
            std::copy(n.begin(), n.end(), m_blocks.back().get());
            m_views.emplace_back(m_blocks.back().get(), n.size());
        }
    }
    const std::vector<std::string_view>& views() const { return m_views; }

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::vector<std::string_view> m_views;
};

struct RawKill {
    int slot;
    std::size_t killer, victim;  // indices into RawNames::views()
};

std::vector<RawKill> rawKills(std::size_t names, std::size_t count, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<RawKill> kills;
    for (std::size_t i = 0; i < count; ++i) {
        // Mostly a small crowd (remembered), now and then anybody (displacing), now and then a slot
        // out of range.
        const std::size_t crowd = std::min<std::size_t>(names, 40 + (i / 1000) * 7);
        const std::size_t range = rng() % 8 == 0 ? names : crowd;
        const int slot = rng() % 97 == 0 ? (rng() % 2 ? -1 : kMaxSlot + 1) : 1 + static_cast<int>(rng() % kMaxSlot);
        kills.push_back({slot, rng() % range, rng() % range});
    }
    return kills;
}

void expectSameCredit(const StatsStore& got, const StatsStore& want) {
    EXPECT_EQ(got.WeaponFrags, want.WeaponFrags);
    EXPECT_EQ(got.PlayerNames(), want.PlayerNames());
    EXPECT_TRUE(got.PlayerWeaponFrags == want.PlayerWeaponFrags);
    EXPECT_TRUE(got.People == want.People);
}

TEST(KillCrediter, CreditsExactlyAsCreditKillWhateverNamesShareInTheirMemory) {
    const RawNames raw;
    const auto& names = raw.views();
    for (const unsigned seed : {1u, 2u}) {
        SCOPED_TRACE(seed);
        const std::vector<RawKill> kills = rawKills(names.size(), 60000, seed);
        StatsStore want;
        for (const RawKill& k : kills)
            creditKill(want, k.slot, names[k.killer], names[k.victim]);
        ASSERT_GT(want.playerCount(), 250) << "more players than a small table would hold";

        StatsStore got;
        {
            const auto crediter = std::make_unique<KillCrediter>(got);
            for (const RawKill& k : kills)
                crediter->credit(k.slot, names[k.killer], names[k.victim]);
        }
        expectSameCredit(got, want);

        // A crediter per run over one store, as the analysis has one per batch of lines.
        StatsStore runs;
        for (std::size_t at = 0; at < kills.size(); at += 7919) {
            const auto crediter = std::make_unique<KillCrediter>(runs);
            for (std::size_t i = at; i < std::min(kills.size(), at + 7919); ++i)
                crediter->credit(kills[i].slot, names[kills[i].killer], names[kills[i].victim]);
        }
        expectSameCredit(runs, want);
    }
}

// Frags between the first people wait in the crediter until flush (or its end): then the table
// holds them all, once, however often it is flushed.
TEST(KillCrediter, FlushBringsThePeopleTableUpToDate) {
    const RawNames raw;
    const auto& names = raw.views();
    const std::vector<RawKill> kills = rawKills(names.size(), 20000, 5);
    StatsStore want;
    StatsStore got;
    KillCrediter crediter(got);
    for (std::size_t i = 0; i < kills.size(); ++i) {
        const RawKill& k = kills[i];
        creditKill(want, k.slot, names[k.killer], names[k.victim]);
        crediter.credit(k.slot, names[k.killer], names[k.victim]);
        if (i % 4999 == 0) {
            crediter.flush();
            crediter.flush();
            SCOPED_TRACE(i);
            expectSameCredit(got, want);
        }
    }
    crediter.flush();
    expectSameCredit(got, want);
}

// Exact names: " Bob", "Bob's" and "Bob" are three people, also when remembered, and team kills
// and suicides reach the same people as the kills.
TEST(KillCrediter, TakesExactNamesAsCreditExactKillAndThePeopleTableDo) {
    const RawNames raw;
    const auto& names = raw.views();
    const std::vector<RawKill> kills = rawKills(names.size(), 60000, 4);
    StatsStore want;
    for (std::size_t i = 0; i < kills.size(); ++i) {
        const RawKill& k = kills[i];
        if (i % 11 == 0)
            want.People.recordTeamKill(names[k.killer], names[k.victim]);
        else if (i % 13 == 0)
            want.People.recordSuicide(names[k.killer]);
        else
            creditExactKill(want, k.slot, names[k.killer], names[k.victim]);
    }
    ASSERT_GT(want.playerCount(), 250) << "more players than a small table would hold";
    // One run, and a crediter per run over one store.
    for (const std::size_t run : {kills.size(), std::size_t{7919}}) {
        SCOPED_TRACE(run);
        StatsStore got;
        for (std::size_t at = 0; at < kills.size(); at += run) {
            const auto crediter = std::make_unique<KillCrediter>(got, KillCrediter::NameForm::Exact);
            for (std::size_t i = at; i < std::min(kills.size(), at + run); ++i) {
                const RawKill& k = kills[i];
                if (i % 11 == 0)
                    crediter->creditTeamKill(names[k.killer], names[k.victim]);
                else if (i % 13 == 0)
                    crediter->creditSuicide(names[k.killer]);
                else
                    crediter->credit(k.slot, names[k.killer], names[k.victim]);
            }
        }
        expectSameCredit(got, want);
    }
}

TEST(KillCrediter, CreditersOnSeveralThreadsShareNothing) {
    const RawNames raw;
    const auto& names = raw.views();
    const std::vector<RawKill> kills = rawKills(names.size(), 30000, 3);
    StatsStore want;
    for (const RawKill& k : kills)
        creditKill(want, k.slot, names[k.killer], names[k.victim]);

    std::vector<std::unique_ptr<StatsStore>> stores;
    for (int t = 0; t < 4; ++t)
        stores.push_back(std::make_unique<StatsStore>());
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            KillCrediter crediter(*stores[static_cast<std::size_t>(t)]);
            for (const RawKill& k : kills)
                crediter.credit(k.slot, names[k.killer], names[k.victim]);
        });
    }
    for (std::thread& t : threads)
        t.join();
    for (const auto& store : stores)
        expectSameCredit(*store, want);
}

}  // namespace
}  // namespace fragtide::engine
