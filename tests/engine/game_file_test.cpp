#include "engine/game_file.hpp"

#include <gtest/gtest.h>

#include <string>

#include "engine/game_catalogue.hpp"
#include "engine/game_detector.hpp"
#include "engine/game_folders.hpp"
#include "engine/log_analysis.hpp"
#include "engine/reference/analyze_bytes.hpp"
#include "engine/stats_store.hpp"
#include "rules/quake2_standard.hpp"
#include "tests/support/temp_dir.hpp"

namespace fragtide::engine {
namespace {

const std::string kRa2 = R"(fragtide_game = 1
name = "Quake II : Rocket Arena 2"
alias = "q2-ra2"
kind = "obituaries"
killer_first = false

[[weapon]]
name = "Blaster"
rules = [[" was blasted by ", ""]]

[[weapon]]
name = "Rocket Launcher"
rules = [[" ate ", "'s rocket"], [" almost dodged ", "'s rocket"]]
one_name = [" cratered", " was squished"]
)";

const std::string kCod = R"(fragtide_game = 1
name = "Call of Duty : test"
alias = "cod-test"
kind = "lines"
kill = "K;{any};{num};{victim_team};{victim};{any};{num};{killer_team};{killer};{weapon};{any}"
ignore_if = ["K;ignored"]
weapon_names = { "m16_mp" = "M16" }
)";

// `base` with the first `from` replaced by `to`.
std::string edited(std::string base, std::string_view from, std::string_view to) {
    const auto at = base.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return base.replace(at, from.size(), to);
}

TEST(GameFile, ReadsAnObituariesGameIntoTheEnginesDefinition) {
    const auto file = parseGameFile(kRa2, "ra2.toml");
    ASSERT_TRUE(file.has_value()) << file.error().message;
    const rules::Game& game = (*file)->game();
    EXPECT_TRUE(rules::isWellFormed(game));
    EXPECT_EQ(game.displayName, "Quake II : Rocket Arena 2");
    ASSERT_EQ(game.slotCount(), 2);
    EXPECT_EQ(game.weaponNames[1], "Rocket Launcher");
    EXPECT_EQ(game.rules->slots[1].rules[1].middle, " almost dodged ");
    ASSERT_NE(game.oneName, nullptr);  // one_name below the weapons is still the game's
    EXPECT_EQ(game.oneName->suicides[1].trailing, " was squished");
}

TEST(GameFile, ReadsHexEscapesAsTheBytesTheyNameAndUtf8AsWritten) {
    const auto file = parseGameFile(
        edited(edited(kRa2, "\" ate \"", "\" \\xE9t\\xe9 \\\\x41 \""), "\"Blaster\"", "\"Zo\xC3\xAB\" # caf\xC3\xA9"),
        "ra2.toml");
    ASSERT_TRUE(file.has_value()) << file.error().message;
    EXPECT_EQ((*file)->game().rules->slots[1].rules[0].middle, " \xE9t\xE9 \\x41 ");
    EXPECT_EQ((*file)->game().weaponNames[0], "Zo\xC3\xAB");
}

TEST(GameFile, RefusesWhatItCannotUseAndSaysWhere) {
    struct Case {
        const char* what;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"not TOML", edited(kRa2, "killer_first = false", "killer_first = "), "ra2.toml:5:16: not valid TOML"},
        {"unknown version", edited(kRa2, "fragtide_game = 1", "fragtide_game = 2"),
         "ra2.toml:1:17: fragtide_game must be 1"},
        {"no version", edited(kRa2, "fragtide_game = 1", "# none"), "ra2.toml:1:1: lacks the field 'fragtide_game'"},
        {"no alias", edited(kRa2, "alias = \"q2-ra2\"", ""), "ra2.toml:1:1: lacks the field 'alias'"},
        {"no killer_first", edited(kRa2, "killer_first = false", ""), "ra2.toml:1:1: lacks the field 'killer_first'"},
        {"empty middle", edited(kRa2, "[\" almost dodged \", ", "[\"\", "),
         "ra2.toml:13:35: rules of weapon 2 (\"Rocket Launcher\"): a middle text must not be empty"},
        {"empty middle after a byte escape", edited(kRa2, "[\" almost dodged \", \"'s rocket\"]", "[\"\", \"\\xff\"]"),
         "ra2.toml:13:35: rules of weapon 2"},
        {"the place after a byte escape on its line",
         edited(edited(kRa2, "[\" almost dodged \", ", "[\"\", "), "\" ate \"", "\"\\xff\""),
         "ra2.toml:13:34: rules of weapon 2"},
        {"characters, not bytes, count toward the column",
         edited(edited(kRa2, "[\" almost dodged \", ", "[\"\", "), "\" ate \"", "\" \xC3\xA9t\xC3\xA9 \""),
         "ra2.toml:13:35: rules of weapon 2"},
        {"not UTF-8", edited(kRa2, "\"Blaster\"", "\"Bl\xffster\""), "ra2.toml:8:11: not valid UTF-8"},
        {"a letter outside quotes", edited(kRa2, "killer_first = false", "killer_first = f\xC3\xA9"),
         "ra2.toml:5:17: not valid TOML: outside quotes"},
        {"a rule that is no pair", edited(kRa2, "[\" almost dodged \", \"'s rocket\"]", "\"x\""),
         "ra2.toml:13:34: rules of weapon 2 (\"Rocket Launcher\"): each rule must be a pair"},
        {"unknown kind", edited(kRa2, "\"obituaries\"", "\"obits\""), "ra2.toml:4:8: kind must be"},
        {"a typo in a field", edited(kRa2, "killer_first", "killer_frist"), "ra2.toml:5:1: unknown field 'killer_frist'"},
        {"alias auto", edited(kRa2, "\"q2-ra2\"", "\"auto\""), "ra2.toml:3:9: the alias 'auto'"},
        {"unknown placeholder", edited(kCod, "{killer};", "{killr};"), "ra2.toml:5:8: kill template 1: unknown placeholder {killr}"},
        {"no victim", edited(kCod, "{victim};", "{any};"), "ra2.toml:5:8: kill template 1: must hold {killer} and {victim}"},
        {"no kill template", edited(kCod, "kill =", "kills ="), "ra2.toml:5:1: unknown field 'kills'"},
        {"suicide without player", edited(kCod, "ignore_if", "suicide = [\"{any} died\"]\nignore_if"),
         "ra2.toml:6:12: suicide template 1: must hold {player}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto file = parseGameFile(c.text, "ra2.toml");
        ASSERT_FALSE(file.has_value());
        EXPECT_EQ(file.error().kind, ErrorKind::InvalidInput);
        EXPECT_EQ(file.error().message.substr(0, c.message.size()), c.message) << file.error().message;
    }
}

TEST(GameFile, RefusesAFiftyFirstWeapon) {
    std::string text = kRa2.substr(0, kRa2.find("[[weapon]]"));
    for (int i = 0; i < 51; ++i)
        text += "\n[[weapon]]\nname = \"W\"\nrules = [[\" x \", \"\"]]\n";
    const auto file = parseGameFile(text, "many.toml");
    ASSERT_FALSE(file.has_value());
    EXPECT_NE(file.error().message.find("more than 50 weapons"), std::string::npos) << file.error().message;
}

// Built-in games stop at 25 slots; a file's game credits its weapons up to slot 50, each once.
TEST(GameFile, AnObituariesGameCreditsAllFiftySlots) {
    std::string text = edited(kRa2.substr(0, kRa2.find("[[weapon]]")), "q2-ra2", "fifty");
    for (int i = 1; i <= 50; ++i)
        text += "[[weapon]]\nname = \"W" + std::to_string(i) + "\"\nrules = [[\" hit" + std::to_string(i) + " \", \"\"]]\n";
    const auto file = parseGameFile(text, "fifty.toml");
    ASSERT_TRUE(file.has_value()) << file.error().message;
    const std::shared_ptr<const FileGame> games[] = {*file};
    ASSERT_TRUE(installFileGames(games).empty());
    for (const unsigned threads : {1u, 2u}) {
        StatsStore store;
        store.CurrentGame = "Quake II : Rocket Arena 2";
        LoadWeaponNames(store);
        ASSERT_TRUE(reference::analyzeBytes(store, "Bo hit26 Ann\nBo hit50 Ann\nBo hit2 Ann\nBo hit50 Cy\n",
                                            {.partBytes = 16, .threads = threads})
                        .has_value());
        EXPECT_EQ(store.WeaponNames[50], "W50");
        EXPECT_EQ(store.WeaponFrags[50], 2);
        EXPECT_EQ(store.WeaponFrags[26], 1);
        EXPECT_EQ(store.WeaponFrags[2], 1);
    }
    ASSERT_TRUE(installFileGames({}).empty());
}

// A lines game reaches the same crediting as the built-in server logs: kills by weapon in order of
// first kill, words named by the file, team kills, suicides of the world and of oneself, ignore_if.
TEST(GameFile, ALinesGameCreditsItsKills) {
    const auto file = parseGameFile(kCod, "cod.toml");
    ASSERT_TRUE(file.has_value()) << file.error().message;
    const std::shared_ptr<const FileGame> games[] = {*file};
    ASSERT_TRUE(installFileGames(games).empty());
    StatsStore store;
    store.CurrentGame = "Call of Duty : test";
    LoadWeaponNames(store);
    const std::string log =
        "  0:01 J;1;0;Ann\n"
        "K;1;0;axis;Bo;2;1;allies;Ann;m16_mp;30;MOD_RIFLE;head\n"
        "K;1;0;axis;Bo;2;1;allies;Ann;kar98k_mp;30;MOD_RIFLE;head\n"
        "K;1;0;axis;Bo;2;1;axis;Cy;m16_mp;30;MOD_RIFLE;head\n"
        "K;1;0;axis;Bo;;-1;world;;none;100;MOD_FALLING;none\n"
        "K;1;0;axis;Bo;1;0;axis;Bo;frag_grenade_mp;100;MOD_SUICIDE;none\n"
        "K;ignored;0;axis;Bo;2;1;allies;Ann;m16_mp;30;MOD_RIFLE;head\n";
    ASSERT_TRUE(reference::analyzeBytes(store, log, {}).has_value());
    EXPECT_EQ(store.WeaponNames[1], "M16");
    EXPECT_EQ(store.WeaponNames[2], "kar98k_mp");
    EXPECT_EQ(store.WeaponFrags[1], 1);
    EXPECT_EQ(store.WeaponFrags[2], 1);
    EXPECT_EQ(store.WeaponNames[3], "");  // the team kill, the fall and the suicide are no frags
    EXPECT_EQ(store.KillerName, "Ann");
    ASSERT_TRUE(installFileGames({}).empty());
}

TEST(GameFolders, LoadsBuiltInsFirstThenFilesByNameAndReportsEachRefusedFile) {
    testing::TempDir user, shipped;
    user.write("b.toml", edited(kRa2, "q2-ra2", "b"));
    user.write("a.toml", edited(edited(kRa2, "q2-ra2", "a"), "Rocket Arena 2", "A"));
    user.write("c.toml", "fragtide_game = 1\nname = \"C\"\n");
    user.write("notes.txt", "not a game file");
    shipped.write("d.toml", edited(kCod, "cod-test", "b"));  // b's alias: refused, a.toml is kept
    const std::filesystem::path folders[] = {user.path(), user.path() / "missing", shipped.path()};
    const auto refusals = loadGameFolders(folders);
    ASSERT_EQ(refusals.size(), 2u);
    EXPECT_NE(refusals[0].find("c.toml:1:1: lacks the field 'alias'"), std::string::npos) << refusals[0];
    EXPECT_NE(refusals[1].find("d.toml:3:9: the alias \"b\" is already that of the game of "), std::string::npos)
        << refusals[1];
    const auto all = games();
    ASSERT_GE(all.size(), 2u);
    const Game& a = all[all.size() - 2];
    EXPECT_EQ(a.alias, "a");
    EXPECT_EQ(all.back().alias, "b");
    EXPECT_EQ(all[0].displayName, "Quake I : Standard");
    EXPECT_EQ(gameSource(all[0]), "");
    EXPECT_EQ(gameSource(a), (user.path() / "a.toml").generic_string());
    EXPECT_EQ(findGame("Quake II : Rocket Arena 2"), &all.back());
    ASSERT_TRUE(installFileGames({}).empty());
}

// The files we ship load beside the built-ins and count what their samples hold.
TEST(GameFolders, TheShippedGamesReadTheirSamples) {
    const std::filesystem::path folders[] = {FRAGTIDE_GAMES_DIR};
    ASSERT_EQ(loadGameFolders(folders), std::vector<std::string>{});
    struct Case {
        const char* game;
        const char* sample;
        int frags;
        const char* weapon1;
    };
    const Case cases[] = {
        {"Quake III : Console", "q3_console.log", 8, "Gauntlet"},
        {"Call of Duty : games_mp", "cod_games_mp.log", 4, "M1 Garand"},
        {"Quake II : Lithium", "q2_lithium.log", 9, "Blaster"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.game);
        StatsStore store;
        store.CurrentGame = c.game;
        LoadWeaponNames(store);
        ASSERT_TRUE(analyzeFile(store, std::filesystem::path(FRAGTIDE_SAMPLES) / c.sample).has_value());
        int frags = 0;
        for (int slot = 1; slot <= kMaxSlot; ++slot)
            frags += static_cast<int>(store.WeaponFrags[slot]);
        EXPECT_EQ(frags, c.frags);
        EXPECT_EQ(store.WeaponNames[1], c.weapon1);
        // Detection runs the file games too, and finds each sample's own.
        const auto detected = detectGame(std::filesystem::path(FRAGTIDE_SAMPLES) / c.sample);
        ASSERT_TRUE(detected.has_value());
        ASSERT_NE(detected->best, nullptr);
        EXPECT_EQ(detected->best->displayName, c.game);
    }
    ASSERT_TRUE(installFileGames({}).empty());
}

TEST(GameFolders, RefusesAFileThatNamesABuiltInGame) {
    const auto file = parseGameFile(edited(kRa2, "Rocket Arena 2", "Standard"), "q2.toml");
    ASSERT_TRUE(file.has_value());
    const std::shared_ptr<const FileGame> games[] = {*file};
    const auto refusals = installFileGames(games);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0], "q2.toml:2:8: the name \"Quake II : Standard\" is already that of a built-in game");
    EXPECT_EQ(findGame("Quake II : Standard")->rules, &rules::quake2_standard::kRules);
}

}  // namespace
}  // namespace fragtide::engine
