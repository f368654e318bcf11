// An add killed at random moments: the next add must complete the season as one clean add makes
// it, and the file must stay sound. Runs the real program, so POSIX only.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include "tests/support/temp_dir.hpp"

namespace fragtide::season {
namespace {

using Clock = std::chrono::steady_clock;

pid_t spawnAdd(const std::filesystem::path& season, const std::filesystem::path& logs) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stderr);
        execl(FRAGTIDE_REPORT, FRAGTIDE_REPORT, "--season", season.c_str(), "--game", "hl", "--add", logs.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

std::string seasonJson(const std::filesystem::path& season) {
    const std::string command = std::string(FRAGTIDE_REPORT) + " --season '" + season.string() + "' --json";
    std::FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, got);
    pclose(pipe);
    return out;
}

std::string integrity(const std::filesystem::path& season) {
    sqlite3* db = nullptr;
    std::string result;
    if (sqlite3_open(season.c_str(), &db) == SQLITE_OK) {
        sqlite3_exec(db, "PRAGMA integrity_check", [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) += values[0] ? values[0] : "";
            return 0;
        }, &result, nullptr);
    }
    sqlite3_close(db);
    return result;
}

void removeSeason(const std::filesystem::path& season) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::filesystem::remove(season.string() + suffix);
}

TEST(SeasonCrash, AnAddKilledAnywhereIsCompletedByTheNextOne) {
    // In memory where the system offers it: a kill needs no disk, and forty adds stay quick.
    std::error_code ec;
    if (std::filesystem::is_directory("/dev/shm", ec))
        setenv("TMPDIR", "/dev/shm", 1);
    testing::TempDir dir;
    const auto logs = dir.path() / "logs";
    std::filesystem::create_directories(logs);
    const std::string sample = testing::readBytes(std::filesystem::path(FRAGTIDE_SAMPLES) / "hl_server.log");
    for (int day = 0; day < 6; ++day) {
        std::string log;
        while (log.size() < (std::size_t{1} << 21))
            log += sample;
        testing::writeBytes(logs / ("day" + std::to_string(day) + ".log"), log);
    }
    const auto clean = dir.path() / "clean.fragtide-season";
    const auto started = Clock::now();
    ASSERT_EQ(waitFor(spawnAdd(clean, logs)), 0);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);
    const std::string expected = seasonJson(clean);
    ASSERT_NE(expected.find("\"matches\""), std::string::npos);

    std::mt19937 rng(20261210);
    const auto crashed = dir.path() / "crashed.fragtide-season";
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        removeSeason(crashed);
        const pid_t pid = spawnAdd(crashed, logs);
        std::this_thread::sleep_for(std::chrono::microseconds(
            std::uniform_int_distribution<std::int64_t>(0, took.count())(rng)));
        kill(pid, SIGKILL);
        waitFor(pid);
        ASSERT_EQ(waitFor(spawnAdd(crashed, logs)), 0);
        EXPECT_EQ(integrity(crashed), "ok");
        EXPECT_EQ(seasonJson(crashed), expected);
    }
}

}  // namespace
}  // namespace fragtide::season
