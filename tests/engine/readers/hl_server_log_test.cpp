#include "engine/readers/hl_server_log.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/reference/hl_server_log_reference.hpp"

namespace fragtide::engine {
namespace {

constexpr std::string_view kStamp = "L 03/14/2026 - 21:07:55: ";

struct Expected {
    HlEventKind kind;
    std::string_view killer, killerUid, killerId, killerTeam;
    std::string_view victim, victimUid, victimId, victimTeam;
    std::string_view weapon;
};

void expectEvent(std::string_view line, const Expected& e) {
    SCOPED_TRACE(std::string(line));
    const auto event = readHlServerLogLine(line);
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->kind, e.kind);
    EXPECT_EQ(event->killer, (HlPlayer{e.killer, e.killerUid, e.killerId, e.killerTeam}));
    EXPECT_EQ(event->victim, (HlPlayer{e.victim, e.victimUid, e.victimId, e.victimTeam}));
    EXPECT_EQ(event->weapon, e.weapon);
}

TEST(HlServerLog, CutsEveryFieldOfAKillLine) {
    expectEvent(std::string(kStamp) +
                    R"("Ace<12><STEAM_0:1:234><CT>" killed "Bob Lee<-1><BOT><TERRORIST>" with "ak47")",
                {HlEventKind::Kill, "Ace", "12", "STEAM_0:1:234", "CT", "Bob Lee", "-1", "BOT", "TERRORIST",
                 "ak47"});
}

TEST(HlServerLog, ReadsKillsWhateverTheNamesAndIdsHold) {
    using K = HlEventKind;
    struct Case {
        const char* what;
        std::string line;
        Expected e;
    };
    const std::string s(kStamp);
    const Case cases[] = {
        {"no time stamp", R"("A<1><BOT><CT>" killed "B<2><BOT><TERRORIST>" with "awp")",
         {K::Kill, "A", "1", "BOT", "CT", "B", "2", "BOT", "TERRORIST", "awp"}},
        {"properties after the weapon",
         s + R"("A<1><STEAM_ID_LAN><CT>" killed "B<2><STEAM_ID_LAN><TERRORIST>" with "deagle" (headshot))",
         {K::Kill, "A", "1", "STEAM_ID_LAN", "CT", "B", "2", "STEAM_ID_LAN", "TERRORIST", "deagle"}},
        {"positions after the weapon",
         s + R"("A<1><[U:1:5]><CT>" killed "B<2><[U:1:6]><TERRORIST>" with "m4a1" (attacker_position "1 2 3") (victim_position "4 5 6"))",
         {K::Kill, "A", "1", "[U:1:5]", "CT", "B", "2", "[U:1:6]", "TERRORIST", "m4a1"}},
        {"quotes, angle brackets and spaces in names",
         s + R"("<[A"> x<y><1><BOT><CT>" killed "" ">>B<<2><BOT><TERRORIST>" with "usp")",
         {K::Kill, R"(<[A"> x<y>)", "1", "BOT", "CT", R"(" ">>B<)", "2", "BOT", "TERRORIST", "usp"}},
        {"a second kill after the first is only the rest of the line",
         s + R"("K<1><><>" killed "V<2><><>" with "x"<3><BOT><CT>" killed "W<4><BOT><TERRORIST>" with "knife")",
         {K::Kill, "K", "1", "", "", "V", "2", "", "", "x"}},
        {"the weapon ends at the first quote after it",
         s + R"("K<1><><>" killed "V<2><><>" with "x<3><BOT><CT>" with "knife")",
         {K::Kill, "K", "1", "", "", "V", "2", "", "", R"(x<3><BOT><CT>)"}},
        {"the victim's name holds a with phrase",
         s + R"("A<1><BOT><CT>" killed "B" with "c<2><BOT><TERRORIST>" with "p90")",
         {K::Kill, "A", "1", "BOT", "CT", R"(B" with "c)", "2", "BOT", "TERRORIST", "p90"}},
        {"a first killed phrase without a tag before it is part of the name",
         s + R"("A" killed "X<1><BOT><CT>" killed "B<2><BOT><TERRORIST>" with "scout")",
         {K::Kill, R"(A" killed "X)", "1", "BOT", "CT", "B", "2", "BOT", "TERRORIST", "scout"}},
        {"empty names and empty weapon", s + R"("<1><><>" killed "<2><><>" with "")",
         {K::Kill, "", "1", "", "", "", "2", "", "", ""}},
        {"weapon of another mod", s + R"("A<1><STEAM_0:0:1><Blue>" killed "B<2><STEAM_0:0:2><Red>" with "crowbar")",
         {K::Kill, "A", "1", "STEAM_0:0:1", "Blue", "B", "2", "STEAM_0:0:2", "Red", "crowbar"}},
        {"same team", s + R"("A<1><BOT><CT>" killed "B<2><BOT><CT>" with "grenade")",
         {K::TeamKill, "A", "1", "BOT", "CT", "B", "2", "BOT", "CT", "grenade"}},
        {"same mod team", s + R"("A<1><BOT><marine1team>" killed "B<2><BOT><marine1team>" with "mp5")",
         {K::TeamKill, "A", "1", "BOT", "marine1team", "B", "2", "BOT", "marine1team", "mp5"}},
        {"both teams empty is no team", s + R"("A<1><BOT><>" killed "B<2><BOT><>" with "crowbar")",
         {K::Kill, "A", "1", "BOT", "", "B", "2", "BOT", "", "crowbar"}},
        {"both Unassigned is no team",
         s + R"("A<1><BOT><Unassigned>" killed "B<2><BOT><Unassigned>" with "crowbar")",
         {K::Kill, "A", "1", "BOT", "Unassigned", "B", "2", "BOT", "Unassigned", "crowbar"}},
        {"team names differ in case", s + R"("A<1><BOT><ct>" killed "B<2><BOT><CT>" with "usp")",
         {K::Kill, "A", "1", "BOT", "ct", "B", "2", "BOT", "CT", "usp"}},
        {"a name that is a whole tag", s + R"("<5><BOT><CT><1><BOT><CT>" killed "B<2><><>" with "usp")",
         {K::Kill, "<5><BOT><CT>", "1", "BOT", "CT", "B", "2", "", "", "usp"}},
        {"raw bytes pass through", s + "\"J\xf6rg\xff<1><BOT><CT>\" killed \"\x01<2><><>\" with \"usp\"",
         {K::Kill, "J\xf6rg\xff", "1", "BOT", "CT", "\x01", "2", "", "", "usp"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        expectEvent(c.line, c.e);
    }
}

TEST(HlServerLog, ReadsSuicidesWithThePlayerCutAsForKills) {
    const std::string s(kStamp);
    expectEvent(s + R"("Ace<3><BOT><CT>" committed suicide with "world")",
                {HlEventKind::Suicide, "Ace", "3", "BOT", "CT", "", "", "", "", "world"});
    expectEvent(R"("A" committed suicide with "B<-1><STEAM_ID_LAN><>" committed suicide with "grenade" x)",
                {HlEventKind::Suicide, R"(A" committed suicide with "B)", "-1", "STEAM_ID_LAN", "", "", "", "",
                 "", "grenade"});
    // A line that fits both forms is a kill.
    expectEvent(R"("A<1><><>" committed suicide with "x<2><><>" killed "B<3><><>" with "y")",
                {HlEventKind::Kill, R"(A<1><><>" committed suicide with "x)", "2", "", "", "B", "3", "", "",
                 "y"});
}

TEST(HlServerLog, LeavesEverythingElseUncounted) {
    const std::string s(kStamp);
    const std::string lines[] = {
        "",
        s,
        s + R"("A<1><BOT><CT>" attacked "B<2><BOT><TERRORIST>" with "ak47" (damage "20") (health "80"))",
        s + R"("A<1><STEAM_0:1:2><CT>" say "B<2><><>" killed "C<3><><>" with "x)",
        s + R"(Team "CT" scored "5" with "4" players)",
        s + R"("A<1><BOT><CT>" triggered "Planted_The_Bomb")",
        s + R"("Spy<5><[U:1:9]><Blue>" killed "Sol<3><[U:1:8]><Red>" with "knife" (customkill "feign_death") (attacker_position "1 2 3"))",
        s + R"("A<1><S><CT>" [1 2 3] killed "B<2><S><TERRORIST>" [4 5 6] with "ak47")",
        s + R"(World triggered "Round_End")",
        s + R"("A<1><BOT><CT>" killed "B<2><BOT><TERRORIST>" with ak47)",
        s + R"("A<1><BOT><CT>" killed "B<2><BOT><TERRORIST>" with "ak47)",
        s + R"("A<1><BOT><CT>" killed "B<BOT><TERRORIST>" with "ak47")",
        s + R"("A<><BOT><CT>" killed "B<2><BOT><TERRORIST>" with "ak47")",
        s + R"("A<-><BOT><CT>" killed "B<2><BOT><TERRORIST>" with "ak47")",
        s + R"("A<1-><BOT><CT>" killed "B<2><BOT><TERRORIST>" with "ak47")",
        s + R"("A<1><B<T><CT>" killed "B<2><BOT><TERRORIST>" with "ak47")",
        s + R"("A<1><BOT><CT>"  killed "B<2><BOT><TERRORIST>" with "ak47")",
        s + R"("A<1><BOT><CT>" Killed "B<2><BOT><TERRORIST>" with "ak47")",
        s + R"("A<1><BOT><CT>" committed suicide with world)",
        s + R"( "A<1><BOT><CT>" killed "B<2><BOT><TERRORIST>" with "ak47")",
        R"(L 03/14/2026 - 21:07:5x: "A<1><BOT><CT>" killed "B<2><BOT><TERRORIST>" with "ak47")",
        R"(L 3/14/2026 - 21:07:55: "A<1><BOT><CT>" killed "B<2><BOT><TERRORIST>" with "ak47")",
        R"(L 03/14/2026 - 21:07:55:"A<1><BOT><CT>" killed "B<2><BOT><TERRORIST>" with "ak47")",
        R"(A<1><BOT><CT>" killed "B<2><BOT><TERRORIST>" with "ak47")",
    };
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(readHlServerLogLine(line).has_value());
        EXPECT_FALSE(reference::readHlServerLogLine(line).has_value());
    }
}

// Lines built from the form's own pieces, shuffled and broken in the ways hostile names break them.
class HlLineGenerator {
public:
    explicit HlLineGenerator(unsigned seed) : m_rng(seed) {}

    std::string line() {
        std::string out = pick(4) == 0 ? "" : std::string(kStamp);
        if (!out.empty() && pick(10) == 0)  // a broken time stamp
            out[3 + pick(20)] = 'x';
        if (pick(3) == 0) {  // loose pieces: the odd cuts
            const int pieces = 1 + static_cast<int>(pick(12));
            for (int i = 0; i < pieces; ++i)
                out += piece();
            return out;
        }
        // The form itself, with names made of pieces and now and then a piece in the wrong place.
        const bool suicide = pick(4) == 0;
        out += "\"" + name() + tag() + (suicide ? "\" committed suicide with \"" : "\" killed \"");
        if (!suicide)
            out += name() + tag() + "\" with \"";
        out += name() + (pick(8) == 0 ? "" : "\"") + name();
        return out;
    }

private:
    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_rng); }

    std::string piece() {
        static const std::vector<std::string> kPieces = {
            "\"", "\" killed \"", "\" with \"", "\" committed suicide with \"", "\" attacked \"", " killed ",
            "<", ">", "><", "-", "1", "23", "BOT", "STEAM_ID_LAN", "CT", "Unassigned", "Bob", " ", "",
            "ak47", " (headshot)", "(damage \"20\")", "\xff", std::string("\0", 1), "\t",
        };
        return pick(3) == 0 ? tag() : kPieces[pick(kPieces.size())];
    }

    std::string name() {
        std::string out;
        for (std::size_t n = pick(4); n > 0; --n)
            out += piece();
        return out;
    }

    // A player tag, usually well formed.
    std::string tag() {
        static const std::vector<std::string> kUids = {"1", "-1", "23", "", "-", "x", "1-", "--2", "7"};
        static const std::vector<std::string> kIds = {"BOT", "STEAM_0:1:2", "", "[U:1:5]", "a<b", "a>b", "BOT"};
        static const std::vector<std::string> kTeams = {"CT", "TERRORIST", "", "Unassigned", "CT", "<"};
        return "<" + kUids[pick(kUids.size())] + "><" + kIds[pick(kIds.size())] + "><" +
               kTeams[pick(kTeams.size())] + ">";
    }

    std::mt19937 m_rng;
};

TEST(HlServerLog, ReadsGeneratedLinesExactlyAsTheRegularExpression) {
    HlLineGenerator generator(20261207);
    int events[3] = {};
    for (int i = 0; i < 20000; ++i) {
        const std::string line = generator.line();
        const auto fast = readHlServerLogLine(line);
        ASSERT_EQ(reference::toReference(fast), reference::readHlServerLogLine(line)) << line;
        if (fast)
            ++events[static_cast<int>(fast->kind)];
    }
    // The generator must reach every kind of event, not only lines that are none.
    for (const int count : events)
        EXPECT_GT(count, 100);
}

TEST(HlServerLog, ReadsAHostileLongLineCorrectly) {
    // Many phrases and half tags before the real cut: the answer must still be the shortest killer.
    std::string line = "\"";
    for (int i = 0; i < 20000; ++i)
        line += "x<1><a>\" killed \"<2><b>\" with \"";
    line += "K<1><><T>\" killed \"V<2><><U>\" with \"w\"";
    const auto event = readHlServerLogLine(line);
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->killer.team, "T");
    EXPECT_EQ(event->victim.name, "V");
    EXPECT_EQ(event->weapon, "w");
}

}  // namespace
}  // namespace fragtide::engine
