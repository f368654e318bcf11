#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "settings/game_setting.hpp"
#include "settings/memory_backend.hpp"
#include "settings/reg_store.hpp"
#include "tests/support/temp_dir.hpp"

namespace fragtide::settings {
namespace {

TEST(GameSetting, FallsBackToQuakeIStandardOnlyWhenNothingUsableIsStored) {
    struct Case { const char* what; const char* stored; std::string game; };
    const Case cases[] = {
        {"first start", nullptr, "Quake I : Standard"},
        {"empty text", "", "Quake I : Standard"},
        {"a game", "Quake II : Action Quake", "Quake II : Action Quake"},
        {"a text naming no game is kept", "Doom", "Doom"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryBackend backend;
        if (c.stored)
            RegSaveString(backend, kHkeyLocalMachine, kGameSelectKey, kGameSelectValue, kRegSz, std::string(c.stored));
        EXPECT_EQ(loadSelectedGame(backend), c.game);
    }
}

TEST(GameSetting, SavesTheGameAsRegSzUnderFragtideGameSelect) {
    MemoryBackend backend;
    saveSelectedGame(backend, "Half-Life : Counter-Strike");
    const auto raw = backend.queryValue(kHkeyLocalMachine, "Software\\Fragtide", "GameSelect", kReadLimit);
    ASSERT_TRUE(raw);
    EXPECT_EQ(*raw, (StoredValue{kRegSz, std::string("Half-Life : Counter-Strike", 27)}));
}

TEST(GameSetting, KeepsTheOldGameWhenTheSaveFails) {
    MemoryBackend backend;
    saveSelectedGame(backend, "Quake II : Standard");
    backend.setWritable(false);
    saveSelectedGame(backend, "Quake I : Warhaven");
    EXPECT_EQ(loadSelectedGame(backend), "Quake II : Standard");
}

TEST(GameSetting, KeepsTheLogFolderBesideTheGameAsAValueOfItsOwn) {
    MemoryBackend backend;
    EXPECT_EQ(loadLogFolder(backend), "");  // none chosen yet
    saveSelectedGame(backend, "Quake II : Standard");
    saveLogFolder(backend, "/home/me/logs/caf\xc3\xa9 matches");
    EXPECT_EQ(loadLogFolder(backend), "/home/me/logs/caf\xc3\xa9 matches");
    EXPECT_EQ(loadSelectedGame(backend), "Quake II : Standard");
    saveSelectedGame(backend, "Quake I : Warhaven");
    EXPECT_EQ(loadLogFolder(backend), "/home/me/logs/caf\xc3\xa9 matches");
    const auto raw = backend.queryValue(kHkeyLocalMachine, "Software\\Fragtide", "LogFolder", kReadLimit);
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, kRegSz);
}

TEST(GameSetting, KeepsTheNameDisplayBesideTheGameAsAValueOfItsOwn) {
    MemoryBackend backend;
    EXPECT_EQ(loadNameDisplay(backend), "") << "nothing stored: the caller keeps its default";
    saveSelectedGame(backend, "Quake II : StdLog");
    saveNameDisplay(backend, "quake");
    const auto raw = backend.queryValue(kHkeyLocalMachine, "Software\\Fragtide", "NameDisplay", kReadLimit);
    ASSERT_TRUE(raw);
    EXPECT_EQ(*raw, (StoredValue{kRegSz, std::string("quake", 6)}));
    EXPECT_EQ(loadNameDisplay(backend), "quake");
    EXPECT_EQ(loadSelectedGame(backend), "Quake II : StdLog") << "the game is untouched";
}

// Through the platform's own store: the file named by FRAGTIDE_SETTINGS_DIR elsewhere, the
// registry of the throw-away prefix under Wine.
TEST(GameSetting, ReadsAtTheNextStartWhatWasSaved) {
    testing::TempDir folder;
#ifdef _WIN32
    ASSERT_EQ(_putenv_s("FRAGTIDE_SETTINGS_DIR", folder.path().string().c_str()), 0);
#else
    ASSERT_EQ(setenv("FRAGTIDE_SETTINGS_DIR", folder.path().c_str(), 1), 0);
#endif
    saveSelectedGame(*makeDefaultBackend(), "Quake II : Capture The Flag");
    EXPECT_EQ(loadSelectedGame(*makeDefaultBackend()), "Quake II : Capture The Flag");
#ifndef _WIN32
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "HKEY_LOCAL_MACHINE.reg"));
    unsetenv("FRAGTIDE_SETTINGS_DIR");
#endif
}

}  // namespace
}  // namespace fragtide::settings
