#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include "settings/reg_file_backend.hpp"
#include "settings/reg_store.hpp"
#include "tests/support/temp_dir.hpp"

namespace fragtide::settings {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

constexpr std::string_view kKey = "Software\\Fragtide";

const std::string kOldFile =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Fragtide]\r\n"
    "\"GameSelect\"=\"Quake I : Warhaven\"\r\n"
    "\r\n";

// The real file system, failing on cue.
class FaultyFiles : public NativeFileSystem {
public:
    enum class Fault { None, DiskFull, CrashBeforeRename };
    Fault fault = Fault::None;

    StoreStatus writeFileDurably(const std::filesystem::path& file, std::string_view bytes) override {
        if (fault != Fault::DiskFull)
            return NativeFileSystem::writeFileDurably(file, bytes);
        (void)NativeFileSystem::writeFileDurably(file, bytes.substr(0, bytes.size() / 2));
        return StoreError{StoreErrorKind::WriteFailed, "no space left on device"};
    }
    StoreStatus replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        // Unwinds past the backend's clean-up, as a killed process would leave things.
        if (fault == Fault::CrashBeforeRename)
            throw std::runtime_error("killed");
        return NativeFileSystem::replaceFile(from, to);
    }
};

class RegFileBackendTest : public ::testing::Test {
protected:
    std::filesystem::path file() const { return m_folder.path() / "HKEY_LOCAL_MACHINE.reg"; }
    std::string get(std::string_view name = "GameSelect") {
        return RegGetString(m_backend, kHkeyLocalMachine, kKey, name);
    }
    StoreStatus put(std::string_view text, std::string_view name = "GameSelect") {
        return m_backend.setValue(kHkeyLocalMachine, kKey, name, {kRegSz, std::string(text) + '\0'});
    }

    TempDir m_folder;
    std::shared_ptr<FaultyFiles> m_files = std::make_shared<FaultyFiles>();
    RegFileBackend m_backend{m_folder.path(), m_files};
};

TEST_F(RegFileBackendTest, CreatesTheFolderAndOneReadableFileOnTheFirstSave) {
    RegFileBackend nested(m_folder.path() / "a" / "b");
    RegSaveString(nested, kHkeyLocalMachine, kKey, "GameSelect", kRegSz, std::string("Quake II : Standard"));
    EXPECT_EQ(readBytes(m_folder.path() / "a" / "b" / "HKEY_LOCAL_MACHINE.reg"),
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Fragtide]\r\n"
              "\"GameSelect\"=\"Quake II : Standard\"\r\n\r\n");
    EXPECT_FALSE(std::filesystem::exists(m_folder.path() / "a" / "b" / "HKEY_LOCAL_MACHINE.reg.tmp"));
    EXPECT_EQ(RegGetString(nested, kHkeyLocalMachine, kKey, "GameSelect"), "Quake II : Standard");
}

TEST_F(RegFileBackendTest, KeepsOtherKeysValuesAndStrayLinesOnASave) {
    const std::string others =
        "[HKEY_LOCAL_MACHINE\\Software\\Someone Else]\r\n"
        "\"Path\"=\"C:\\\\Games\\\\\\\"q\\\"\"\r\n"
        "\"Flags\"=hex(7):61,00,00\r\n"
        "what is this line\r\n"
        "\r\n";
    writeBytes(file(), kOldFile + others);
    ASSERT_TRUE(put("Quake II : Standard"));
    EXPECT_EQ(readBytes(file()),
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Fragtide]\r\n"
              "\"GameSelect\"=\"Quake II : Standard\"\r\n\r\n" + others);
    EXPECT_EQ(RegGetString(m_backend, kHkeyLocalMachine, "Software\\Someone Else", "Path"), "C:\\Games\\\"q\"");
}

TEST_F(RegFileBackendTest, ReadsWhatItCanOfADamagedFileAndRepairsItOnSave) {
    struct Case { const char* what; std::string bytes; std::string game; std::string other; };
    const std::string good = "[HKEY_LOCAL_MACHINE\\Software\\Fragtide]\r\n\"Other\"=\"kept\"\r\n";
    const Case cases[] = {
        {"truncated in the value", kOldFile.substr(0, kOldFile.size() - 8), "Not Found", "Not Found"},
        {"truncated value, others fine", good + "\"GameSelect\"=\"Quake I : War", "Not Found", "kept"},
        {"wrong header", "REGEDIT9\r\n\r\n" + good, "Not Found", "kept"},
        {"no header", good, "Not Found", "kept"},
        {"empty", "", "Not Found", "Not Found"},
        {"binary", std::string("\0\xff\xfe\x01[\n\"\x80", 8), "Not Found", "Not Found"},
        {"binary then good", std::string("\x7f\0\xff\n", 4) + good, "Not Found", "kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(file(), c.bytes);
        EXPECT_EQ(get(), c.game);
        EXPECT_EQ(get("Other"), c.other);
        ASSERT_TRUE(put("Quake II : Standard"));
        EXPECT_EQ(get(), "Quake II : Standard");
        EXPECT_EQ(get("Other"), c.other);
    }
}

TEST_F(RegFileBackendTest, NeverOverwritesAFileItCannotRead) {
    std::filesystem::create_directory(file());
    writeBytes(file() / "inside", "x");
    EXPECT_EQ(get(), "Not Found");
    const auto saved = put("Quake II : Standard");
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().kind, StoreErrorKind::WriteFailed);
    EXPECT_EQ(readBytes(file() / "inside"), "x");
}

TEST_F(RegFileBackendTest, ReportsAFolderThatCannotBeCreated) {
    // A regular file where a parent folder should be stops root as well as anyone.
    writeBytes(m_folder.path() / "plain", "not a folder");
    RegFileBackend blocked(m_folder.path() / "plain" / "fragtide");
    const auto saved = blocked.setValue(kHkeyLocalMachine, kKey, "GameSelect", {kRegSz, std::string("q", 2)});
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().kind, StoreErrorKind::WriteFailed);
    EXPECT_EQ(RegGetString(blocked, kHkeyLocalMachine, kKey, "GameSelect"), "Not Found");
    EXPECT_EQ(readBytes(m_folder.path() / "plain"), "not a folder");
}

TEST_F(RegFileBackendTest, KeepsTheOldFileWhenTheWriteFails) {
    writeBytes(file(), kOldFile);
    m_files->fault = FaultyFiles::Fault::DiskFull;
    EXPECT_FALSE(put("Quake II : Standard"));
    EXPECT_EQ(readBytes(file()), kOldFile);
    EXPECT_FALSE(std::filesystem::exists(file().string() + ".tmp"));
    EXPECT_EQ(get(), "Quake I : Warhaven");
}

TEST_F(RegFileBackendTest, KeepsTheOldFileWholeWhenASaveDiesBeforeTheRename) {
    writeBytes(file(), kOldFile);
    m_files->fault = FaultyFiles::Fault::CrashBeforeRename;
    EXPECT_THROW((void)put("Quake II : Standard"), std::runtime_error);
    EXPECT_EQ(readBytes(file()), kOldFile);
    EXPECT_TRUE(std::filesystem::exists(file().string() + ".tmp")) << "the interrupted save wrote its temporary file";
    EXPECT_EQ(get(), "Quake I : Warhaven");

    m_files->fault = FaultyFiles::Fault::None;
    ASSERT_TRUE(put("Quake II : Standard")) << "a leftover temporary file does not block the next save";
    EXPECT_EQ(get(), "Quake II : Standard");
}

TEST_F(RegFileBackendTest, ConcurrentSaversKeepBothChangesAndReadersSeeWholeFiles) {
    constexpr int kSaves = 20;
    ASSERT_TRUE(put("a", "A"));
    ASSERT_TRUE(put("b", "B"));
    std::atomic<bool> done{false};
    std::atomic<int> broken{0};
    std::mutex firstErrorMutex;
    std::string firstError;
    auto saver = [&](const char* name, char prefix) {
        RegFileBackend own(m_folder.path());  // as another program would, with its own backend
        for (int i = 0; i < kSaves; ++i) {
            const auto saved = own.setValue(kHkeyLocalMachine, kKey, name, {kRegSz, prefix + std::to_string(i) + '\0'});
            if (!saved) {
                ++broken;
                const std::lock_guard hold(firstErrorMutex);
                if (firstError.empty()) firstError = saved.error().message;
            }
        }
    };
    std::thread reader([&] {
        RegFileBackend own(m_folder.path());
        while (!done) {
            const std::string a = RegGetString(own, kHkeyLocalMachine, kKey, "A");
            const std::string b = RegGetString(own, kHkeyLocalMachine, kKey, "B");
            if (a.empty() || a[0] != 'a' || b.empty() || b[0] != 'b') {
                ++broken;
                const std::lock_guard hold(firstErrorMutex);
                if (firstError.empty()) firstError = "a reader saw A=" + a + " B=" + b;
            }
        }
    });
    std::thread first(saver, "A", 'a');
    std::thread second(saver, "B", 'b');
    first.join();
    second.join();
    done = true;
    reader.join();

    EXPECT_EQ(broken, 0) << firstError;
    EXPECT_EQ(get("A"), "a" + std::to_string(kSaves - 1));
    EXPECT_EQ(get("B"), "b" + std::to_string(kSaves - 1));
}

TEST(SettingsFolder, PrefersTheOverrideThenXdgThenHome) {
    struct Case { const char* what; const char* dir; const char* xdg; const char* home; std::filesystem::path folder; };
    const Case cases[] = {
        {"override wins", "/tmp/s", "/x", "/h", "/tmp/s"},
        {"xdg next", nullptr, "/x", "/h", std::filesystem::path("/x") / "fragtide"},
        {"empty override ignored", "", "/x", "/h", std::filesystem::path("/x") / "fragtide"},
        {"relative xdg ignored", nullptr, "rel", "/h", std::filesystem::path("/h") / ".config" / "fragtide"},
        {"home last", nullptr, nullptr, "/h", std::filesystem::path("/h") / ".config" / "fragtide"},
        {"nothing set", nullptr, "", nullptr, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
#ifdef _WIN32
        if (c.xdg && *c.xdg == '/' && !(c.dir && *c.dir))
            continue;  // "/x" is not an absolute path on Windows
#endif
        EXPECT_EQ(settingsFolder(c.dir, c.xdg, c.home), c.folder);
    }
}

}  // namespace
}  // namespace fragtide::settings
