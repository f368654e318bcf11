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
            RegSaveString(backend, kSettingsRoot, kGameSelectKey, kGameSelectValue, kRegSz, std::string(c.stored));
        EXPECT_EQ(loadSelectedGame(backend), c.game);
    }
}

TEST(GameSetting, SavesTheGameAsRegSzUnderFragtideGameSelect) {
    MemoryBackend backend;
    saveSelectedGame(backend, "Half-Life : Counter-Strike");
    const auto raw = backend.queryValue(kSettingsRoot, "Software\\Fragtide", "GameSelect", kReadLimit);
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
    const auto raw = backend.queryValue(kSettingsRoot, "Software\\Fragtide", "LogFolder", kReadLimit);
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, kRegSz);
}

TEST(GameSetting, KeepsTheNameDisplayBesideTheGameAsAValueOfItsOwn) {
    MemoryBackend backend;
    EXPECT_EQ(loadNameDisplay(backend), "") << "nothing stored: the caller keeps its default";
    saveSelectedGame(backend, "Quake II : StdLog");
    saveNameDisplay(backend, "quake");
    const auto raw = backend.queryValue(kSettingsRoot, "Software\\Fragtide", "NameDisplay", kReadLimit);
    ASSERT_TRUE(raw);
    EXPECT_EQ(*raw, (StoredValue{kRegSz, std::string("quake", 6)}));
    EXPECT_EQ(loadNameDisplay(backend), "quake");
    EXPECT_EQ(loadSelectedGame(backend), "Quake II : StdLog") << "the game is untouched";
}

// Windows versions before kept every choice under HKEY_LOCAL_MACHINE, which a standard user cannot
// write: now choices go to HKEY_CURRENT_USER, and a value found only under the old root still counts.
TEST(GameSetting, ReadsTheUsersOwnChoiceFirstAndTheOldMachineWideOneOtherwise) {
    if (kSettingsRoot == kOldSettingsRoot)
        GTEST_SKIP() << "one root on this platform";
    struct Case { const char* what; const char* current; const char* old; std::string game; };
    const Case cases[] = {
        {"only the old root", nullptr, "Quake II : Standard", "Quake II : Standard"},
        {"the user's own wins", "Quake I : Warhaven", "Quake II : Standard", "Quake I : Warhaven"},
        {"an empty choice of the user's own still wins", "", "Quake II : Standard", "Quake I : Standard"},
        {"neither", nullptr, nullptr, "Quake I : Standard"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryBackend backend;
        if (c.current)
            RegSaveString(backend, kSettingsRoot, kGameSelectKey, kGameSelectValue, kRegSz, std::string(c.current));
        if (c.old)
            RegSaveString(backend, kOldSettingsRoot, kGameSelectKey, kGameSelectValue, kRegSz, std::string(c.old));
        EXPECT_EQ(loadSelectedGame(backend), c.game);
    }
    MemoryBackend backend;
    RegSaveString(backend, kOldSettingsRoot, kGameSelectKey, kNameDisplayValue, kRegSz, std::string("quake"));
    RegSaveString(backend, kOldSettingsRoot, kGameSelectKey, kLogFolderValue, kRegSz, std::string("C:\\Logs"));
    EXPECT_EQ(loadNameDisplay(backend), "quake");
    EXPECT_EQ(loadLogFolder(backend), "C:\\Logs");
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
#ifdef _WIN32
    // A choice an earlier version left machine-wide counts until the user makes one.
    RegSaveString(*makeDefaultBackend(), kHkeyLocalMachine, kGameSelectKey, kGameSelectValue, kRegSz,
                  std::string("Quake I : Warhaven"));
    EXPECT_EQ(loadSelectedGame(*makeDefaultBackend()), "Quake I : Warhaven");
#endif
    saveSelectedGame(*makeDefaultBackend(), "Quake II : Capture The Flag");
    EXPECT_EQ(loadSelectedGame(*makeDefaultBackend()), "Quake II : Capture The Flag");
#ifdef _WIN32
    // In the user's own hive, which a standard user may write; the machine's is left alone.
    EXPECT_EQ(RegGetString(*makeDefaultBackend(), kHkeyCurrentUser, kGameSelectKey, kGameSelectValue),
              "Quake II : Capture The Flag");
    EXPECT_EQ(RegGetString(*makeDefaultBackend(), kHkeyLocalMachine, kGameSelectKey, kGameSelectValue),
              "Quake I : Warhaven");
#else
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "HKEY_LOCAL_MACHINE.reg"));
    unsetenv("FRAGTIDE_SETTINGS_DIR");
#endif
}

}  // namespace
}  // namespace fragtide::settings
