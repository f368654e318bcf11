#include "engine/log_analysis.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#if defined(__unix__)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "engine/game_catalogue.hpp"
#include "engine/log_file.hpp"
#include "engine/game_catalogue.hpp"
#include "engine/kill_source.hpp"
#include "engine/reference/reference_matcher.hpp"
#include "engine/stats_store.hpp"
#include "tests/support/temp_dir.hpp"

namespace fragtide::engine {
namespace {

using testing::TempDir;

TEST(AnalyzeFile, GivesTheReferenceStatisticsAcrossBlockBoundaries) {
    // Over three blocks, with a CR LF pair and lines cut at every block boundary somewhere.
    std::string log;
    for (int i = 0; log.size() < 3 * kLogBlockSize + 100; ++i)
        log += "Victim" + std::to_string(i % 7) + " was nailed by Killer" + std::to_string(i % 13) +
               (i % 2 ? "\r\n" : "\n");
    log += "Last was punctured by Final";  // no ending
    TempDir dir;
    const auto file = dir.write("big.log", log);

    StatsStore fromFile;
    fromFile.CurrentGame = "Quake I : Standard";
    reference::ReferenceStore fromReference;
    std::uint64_t lastProgress = 0;
    const auto lines = analyzeFile(fromFile, file, [&](std::uint64_t n) { lastProgress = n; });
    ASSERT_TRUE(lines) << lines.error().message;
    EXPECT_EQ(*lines, reference::referenceAnalyze(fromReference, findGame(fromFile.CurrentGame)->rules, log));
    EXPECT_EQ(lastProgress, *lines);
    EXPECT_EQ(fromFile.WeaponFrags, fromReference.weaponFrags);
    EXPECT_EQ(fromFile.PlayerNames(), fromReference.playerNames);
    EXPECT_EQ(fromFile.PlayerWeaponFrags, fromReference.playerWeaponFrags);
    EXPECT_EQ(fromFile.PlayerNames()[14], "Final");
    const auto counted = countLines(file);
    ASSERT_TRUE(counted);
    EXPECT_EQ(*counted, *lines);
}

// Small pieces on several threads, over a log with awkward lines and hundreds of killers: the
// merged result must be the one-thread result exactly.
TEST(AnalyzeFile, MergesThreadsIntoExactlyTheOneThreadResult) {
    std::string log;
    for (int i = 0; i < 4000; ++i) {
        log += "V was nailed by P" + std::to_string((i * 7919) % 450) + (i % 3 == 0 ? "\r" : "\r\n");
        if (i % 50 == 0)
            log += std::string(5000, 'x') + " was punctured by Long\n";  // longer than a piece
        if (i % 97 == 0)
            log += "\n  was nailed by 's\n";  // an empty line and an unnamed killer
    }
    TempDir dir;
    const auto file = dir.write("mixed.log", log);
    StatsStore one;
    one.CurrentGame = "Quake I : Standard";
    ASSERT_TRUE(analyzeFile(one, file, {}, {.partBytes = 1 << 20, .threads = 1}));
    // manyPeople 0: every piece into a part of its own, as with a store of very many people.
    for (const std::size_t manyPeople : {std::size_t{1} << 16, std::size_t{0}}) {
        for (const std::size_t partBytes : {std::size_t{97}, std::size_t{700}, std::size_t{65536}}) {
            for (const unsigned threads : {2u, 3u}) {
                SCOPED_TRACE("pieces of " + std::to_string(partBytes) + ", threads " + std::to_string(threads) +
                             ", many people from " + std::to_string(manyPeople));
                StatsStore many;
                many.CurrentGame = one.CurrentGame;
                const auto lines = analyzeFile(many, file, {}, {.partBytes = partBytes, .threads = threads,
                                                                .manyPeople = manyPeople});
                ASSERT_TRUE(lines);
                EXPECT_EQ(*lines, reference::referenceLines(log).size());
                EXPECT_EQ(many.WeaponFrags, one.WeaponFrags);
                EXPECT_EQ(many.PlayerNames(), one.PlayerNames());
                EXPECT_EQ(many.PlayerWeaponFrags, one.PlayerWeaponFrags);
                EXPECT_EQ(many.KillerName, one.KillerName);
                EXPECT_EQ(many.VictimName, one.VictimName);
                EXPECT_EQ(many.People, one.People);
            }
        }
    }
    EXPECT_GT(one.playerCount(), 400);
}

// Batches end wherever the sizes put them: inside a CR LF, inside a middle text, inside a name,
// right after a CR. Every cut must give the reference's result, on one thread or several.
TEST(AnalyzeFile, GivesTheReferenceResultWhereverABatchEnds) {
    struct Case {
        const char* game;
        std::string log;
    };
    const Case cases[] = {
        {"Quake II : Standard",
         "Ann was machinegunned by Bob\r\nBob was blasted by Ann\r\rCy ate Bob's rocket\r\n"
         "\r\nAnn was railed by Cy\nDee was railed by Ann was railed by Cy\r\nEve sucked on Bob's shotgun"},
        {"Half-Life : Counter-Strike",
         "Bob killed Ann with knife\r\nAnn killed Bob with awp\r\rx killed y with\r\n"
         "Cy killed Dee with m4a1\r\n\r\nCy killed Cy with deagle"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto file = dir.write("cut.log", c.log);
        reference::ReferenceStore ref;
        const std::uint64_t refLines = reference::referenceAnalyze(ref, findGame(c.game)->rules, c.log);
        std::int64_t kills = 0;
        for (const auto k : ref.weaponFrags)
            kills += k;
        ASSERT_GE(kills, 3) << "the log should hold kills to cut through";
        for (unsigned threads = 1; threads <= 4; ++threads) {
            for (std::size_t part = 1; part * threads <= c.log.size() + 1; ++part) {
                SCOPED_TRACE(std::string(c.game) + ", threads " + std::to_string(threads) + ", pieces of " +
                             std::to_string(part));
                StatsStore store;
                store.CurrentGame = c.game;
                const auto lines = analyzeFile(store, file, {}, {.partBytes = part, .threads = threads});
                ASSERT_TRUE(lines) << lines.error().message;
                EXPECT_EQ(*lines, refLines);
                EXPECT_EQ(store.WeaponFrags, ref.weaponFrags);
                EXPECT_EQ(store.PlayerNames(), ref.playerNames);
                EXPECT_EQ(store.PlayerWeaponFrags, ref.playerWeaponFrags);
                EXPECT_EQ(store.KillerName, ref.killerName);
                EXPECT_EQ(store.VictimName, ref.victimName);
            }
        }
    }
}

// A line may be as long as the limit, not one byte longer, wherever it stands and however the
// batches fall; the message names the file, the line and the limit.
TEST(AnalyzeFile, RefusesALineLongerThanTheLimitAndNamesIt) {
    const std::string atLimit = std::string(30, 'x') + " was railed by " + std::string(19, 'y');  // 64 bytes
    ASSERT_EQ(atLimit.size(), 64u);
    struct Case {
        const char* what;
        std::string log;
        std::uint64_t badLine;  // 0: read whole
    };
    const Case cases[] = {
        {"at the limit, first", atLimit + "\r\nA was railed by B\n", 0},
        {"at the limit, last, no ending", "A was railed by B\r\n" + atLimit, 0},
        {"at the limit before a split CR LF", "A was railed by B\r\n" + atLimit + "\r\n" + atLimit + "\r", 0},
        {"one over, first line", atLimit + "z\nA was railed by B\n", 1},
        {"one over, third line", "a\r\nb\r" + atLimit + "z\r\nA was railed by B\n", 3},
        {"one over, last, no ending", "a\nb\n\n" + atLimit + "z", 4},
        {"no ending at all", std::string(1000, '\0'), 1},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto file = dir.write("long.log", c.log);
        for (const std::size_t part : {std::size_t{1}, std::size_t{7}, std::size_t{33}, std::size_t{64},
                                       std::size_t{65}, std::size_t{4096}}) {
            for (const unsigned threads : {1u, 3u}) {
                SCOPED_TRACE(std::string(c.what) + ", pieces of " + std::to_string(part) + ", threads " +
                             std::to_string(threads));
                StatsStore store;
                store.CurrentGame = "Quake II : Standard";
                const auto lines =
                    analyzeFile(store, file, {}, {.partBytes = part, .threads = threads, .maxLineBytes = 64});
                if (c.badLine == 0) {
                    ASSERT_TRUE(lines) << lines.error().message;
                    EXPECT_EQ(*lines, reference::referenceLines(c.log).size());
                    continue;
                }
                ASSERT_FALSE(lines);
                EXPECT_EQ(lines.error().kind, ErrorKind::TooLong);
                EXPECT_EQ(lines.error().message,
                          "cannot read '" + shownPath(file) + "': line " + std::to_string(c.badLine) +
                              " is longer than 64 bytes, the longest line Fragtide reads, so it is probably "
                              "not a game log");
            }
        }
    }
}

// A source that counts lines and credits one kill per line to a name given by the line, so the
// batch reader can be checked with a source of its own (as the server-log readers will be).
class FirstWordSource : public KillSource {
public:
    std::uint64_t analyzeLines(StatsStore& store, std::string_view bytes) const override {
        const auto lines = reference::referenceLines(bytes);
        for (const std::string_view line : lines) {
            if (line.empty())
                continue;
            ++store.WeaponFrags[1];
            const std::string_view name = line.substr(0, line.find(' '));
            int player = store.findPlayer(name);
            if (player == 0)
                player = store.addPlayer(name);
            ++store.PlayerWeaponFrags[static_cast<std::size_t>(player)][1];
        }
        return lines.size();
    }
};

TEST(AnalyzeFile, DrivesAnyKillSourceAndMergesItsPiecesInFileOrder) {
    std::string log;
    for (int i = 0; i < 3000; ++i)
        log += "P" + std::to_string((i * 31) % 260) + " did it\r\n";
    TempDir dir;
    const auto file = dir.write("any.log", log);
    const FirstWordSource source;
    StatsStore one;
    ASSERT_TRUE(analyzeFile(source, one, file, {}, {.threads = 1}));
    StatsStore many;
    const auto lines = analyzeFile(source, many, file, {}, {.partBytes = 500, .threads = 4});
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, 3000u);
    EXPECT_EQ(many.WeaponFrags, one.WeaponFrags);
    EXPECT_EQ(many.PlayerNames(), one.PlayerNames());
    EXPECT_EQ(many.PlayerWeaponFrags, one.PlayerWeaponFrags);
    EXPECT_EQ(one.PlayerNames()[1], "P0");
    EXPECT_EQ(one.PlayerNames()[2], "P31");
}

TEST(AnalyzeFile, SaysWhatFailedAndWhy) {
    TempDir dir;
    StatsStore store;
    const auto missing = analyzeFile(store, dir.path() / "gone.log");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, ErrorKind::NotFound);
    EXPECT_NE(missing.error().message.find("gone.log': no such file"), std::string::npos)
        << missing.error().message;

    const auto folder = analyzeFile(store, dir.path());
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().kind, ErrorKind::NotAFile);
    const auto size = fileSize(dir.path());
    ASSERT_FALSE(size);
    EXPECT_EQ(size.error().kind, ErrorKind::NotAFile);
}

// Bytes served by reads of any length the stream likes, and a failure at a chosen byte.
class ChoppyStream final : public LogStream {
public:
    ChoppyStream(std::string_view bytes, unsigned seed, std::size_t failAt = std::string_view::npos)
        : m_bytes(bytes), m_rng(seed), m_failAt(failAt) {}
    Result<std::size_t> readInto(char* dst, std::size_t size) override {
        if (m_at >= m_failAt)
            return Error{ErrorKind::Io, "cannot read 'choppy.log': input/output error"};
        std::size_t n = std::min({size, m_bytes.size() - m_at, m_failAt - m_at});
        if (n > 1)
            n = std::uniform_int_distribution<std::size_t>(1, n)(m_rng);
        std::memcpy(dst, m_bytes.data() + m_at, n);
        m_at += n;
        return n;
    }
    Error lineTooLong(std::uint64_t line, std::size_t limit) const override {
        return {ErrorKind::TooLong, "line " + std::to_string(line) + " over " + std::to_string(limit)};
    }
    Error outOfMemory() const override { return {ErrorKind::Io, "out of memory"}; }
    Error tooManyNames() const override { return {ErrorKind::OutOfMemory, "too many names"}; }

private:
    std::string_view m_bytes;
    std::mt19937 m_rng;
    std::size_t m_failAt;
    std::size_t m_at = 0;
};

// The next batch is read while one is analysed: short reads, batches cut inside CR LF and inside
// a middle text, and a long line must leave the result exactly the one-thread, one-read result.
TEST(AnalyzeStream, GivesTheSameResultWhateverTheReadsReturn) {
    std::string log;
    for (int i = 0; i < 3000; ++i) {
        log += "V" + std::to_string(i % 11) + " was machinegunned by K" + std::to_string((i * 31) % 300) +
               (i % 4 == 0 ? "\r" : "\r\n");
        if (i % 700 == 0)
            log += std::string(3000, 'y') + " was railed by Far\r\n";
    }
    log += "Last was blasted by End";
    StatsStore one;
    one.CurrentGame = "Quake II : Standard";
    ChoppyStream whole(log, 1);
    const auto oneLines = analyzeStream(one, whole, {}, {.partBytes = 1 << 20, .threads = 1});
    ASSERT_TRUE(oneLines) << oneLines.error().message;
    unsigned seed = 2;
    for (const unsigned threads : {1u, 2u, 3u}) {
        for (const std::size_t part : {std::size_t{5}, std::size_t{97}, std::size_t{4096}}) {
            SCOPED_TRACE("threads " + std::to_string(threads) + ", pieces of " + std::to_string(part));
            StatsStore store;
            store.CurrentGame = one.CurrentGame;
            ChoppyStream choppy(log, seed++);
            std::uint64_t bytesShown = 0;
            std::uint64_t linesShown = 0;
            AnalysisOptions options{.partBytes = part, .threads = threads};
            options.byteProgress = [&](std::uint64_t done) {
                EXPECT_GE(done, bytesShown);
                bytesShown = done;
            };
            const auto lines = analyzeStream(store, choppy, [&](std::uint64_t n) { linesShown = n; }, options);
            ASSERT_TRUE(lines) << lines.error().message;
            EXPECT_EQ(*lines, *oneLines);
            EXPECT_EQ(linesShown, *oneLines);
            EXPECT_EQ(bytesShown, log.size()) << "the bar ends at the file's size";
            EXPECT_EQ(store.WeaponFrags, one.WeaponFrags);
            EXPECT_EQ(store.PlayerNames(), one.PlayerNames());
            EXPECT_EQ(store.PlayerWeaponFrags, one.PlayerWeaponFrags);
            EXPECT_EQ(store.KillerName, one.KillerName);
            EXPECT_EQ(store.VictimName, one.VictimName);
        }
    }
}

TEST(AnalyzeStream, StopsWithTheReadErrorWhereverItComes) {
    std::string log;
    for (int i = 0; i < 400; ++i)
        log += "V was machinegunned by K" + std::to_string(i % 9) + "\r\n";
    for (const std::size_t failAt : {std::size_t{0}, std::size_t{1}, std::size_t{500}, log.size() - 1}) {
        for (const unsigned threads : {1u, 2u}) {
            SCOPED_TRACE("fails at " + std::to_string(failAt) + ", threads " + std::to_string(threads));
            StatsStore store;
            store.CurrentGame = "Quake II : Standard";
            ChoppyStream failing(log, 9, failAt);
            std::uint64_t linesShown = 0;
            const auto lines = analyzeStream(store, failing, [&](std::uint64_t n) { linesShown = n; },
                                             {.partBytes = 64, .threads = threads});
            ASSERT_FALSE(lines);
            EXPECT_EQ(lines.error().message, "cannot read 'choppy.log': input/output error");
            EXPECT_LE(linesShown * 26, failAt) << "no line past the failure is counted";
        }
    }
}

#if defined(__unix__) && !defined(__SANITIZE_ADDRESS__)
// Lines of a log where every kill names two new people, 1 GB of them.
class EveryNameNewStream final : public LogStream {
public:
    Result<std::size_t> readInto(char* dst, std::size_t size) override {
        std::size_t n = 0;
        while (n + 64 <= size && m_bytes < (std::uint64_t{1} << 30)) {
            const std::string line =
                "Visitor" + std::to_string(m_next) + " was machinegunned by Visitor" + std::to_string(m_next + 1) + "\n";
            std::memcpy(dst + n, line.data(), line.size());
            n += line.size();
            m_bytes += line.size();
            m_next += 2;
        }
        return n;
    }
    Error lineTooLong(std::uint64_t, std::size_t) const override { return {ErrorKind::TooLong, "too long"}; }
    Error outOfMemory() const override { return {ErrorKind::Io, "no memory for the lines"}; }
    Error tooManyNames() const override {
        return {ErrorKind::OutOfMemory, "cannot read 'endless.log': too many distinct names for the memory available"};
    }

private:
    std::uint64_t m_next = 0;
    std::uint64_t m_bytes = 0;
};

TEST(AnalyzeStream, SaysSoWhenTheNamesOutgrowMemoryAndDoesNotCrash) {
    // In a child whose address space is capped a little above what it uses: the names, counted on
    // the helper threads and merged on this one, run out of memory in either place.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        long pages = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1)
                pages = 0;
            std::fclose(statm);
        }
        const rlim_t cap = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (rlim_t{192} << 20);
        const rlimit limit{cap, cap};
        if (pages == 0 || setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(2);
        StatsStore store;
        store.CurrentGame = "Quake II : Standard";
        EveryNameNewStream stream;
        const auto lines = analyzeStream(store, stream, {}, {.partBytes = 1 << 20, .threads = 3});
        const bool said = !lines && lines.error().kind == ErrorKind::OutOfMemory &&
                          lines.error().message.ends_with("too many distinct names for the memory available");
        _exit(said ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error or another one; 2: no memory cap";
}
#endif

}  // namespace
}  // namespace fragtide::engine
