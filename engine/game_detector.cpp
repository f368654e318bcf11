#include "engine/game_detector.hpp"

#include <algorithm>
#include <atomic>
#include <memory>
#include <numeric>
#include <string>
#include <thread>

#include "engine/kill_source.hpp"
#include "engine/log_file.hpp"
#include "engine/worker_pool.hpp"

namespace fragtide::engine {
namespace {

// Reads up to `size` bytes from `offset`, appended to `out`.
Status readAt(LogFile& file, std::uint64_t offset, std::size_t size, std::string& out) {
    if (const Status moved = file.seek(offset); !moved)
        return moved;
    const std::size_t had = out.size();
    out.resize(had + size);
    std::size_t got = 0;
    while (got < size) {
        auto n = file.readInto(out.data() + had + got, size - got);
        if (!n)
            return n.error();
        if (*n == 0)
            break;
        got += *n;
    }
    out.resize(had + got);
    return Ok{};
}

// `bytes` without the partial line at its start (when `cutFront`) and at its end (when `cutBack`).
std::string_view wholeLines(std::string_view bytes, bool cutFront, bool cutBack) {
    if (cutFront) {
        const std::size_t end = bytes.find_first_of("\r\n");
        bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
    }
    if (cutBack) {
        const std::size_t end = bytes.find_last_of("\r\n");
        bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(0, end + 1);
    }
    return bytes;
}

}  // namespace

Detection detectGameInBytes(std::string_view bytes) {
    const auto& catalogue = games();
    std::vector<FragCount> kills(catalogue.size(), 0);
    // The games are independent: each thread takes the next game not yet taken, into a store of
    // its own (large, so reused from game to game, each starting it afresh).
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    std::atomic<std::size_t> nextGame{0};
    WorkerPool pool(threads - 1);
    pool.run(threads, [&](unsigned) {
        const auto store = std::make_unique<StatsStore>();
        for (std::size_t g; (g = nextGame.fetch_add(1)) < catalogue.size();) {
            const Game& game = catalogue[g];
            store->resetCounts();
            store->CurrentGame = game.displayName;
            LoadWeaponNames(*store);
            makeKillSource(&game)->analyzeLines(*store, bytes);
            kills[g] = std::accumulate(store->WeaponFrags.begin(), store->WeaponFrags.end(), FragCount{0});
        }
    });
    Detection detection;
    FragCount bestKills = 0;
    for (std::size_t g = 0; g < catalogue.size(); ++g) {
        detection.kills.emplace_back(&catalogue[g], kills[g]);
        if (kills[g] > bestKills) {
            bestKills = kills[g];
            detection.best = &catalogue[g];
        }
    }
    return detection;
}

Result<Detection> detectGame(const std::filesystem::path& path) {
    const auto size = fileSize(path);
    if (!size)
        return size.error();
    auto file = LogFile::open(path);
    if (!file)
        return file.error();
    std::string bytes;
    if (*size <= kDetectWholeBytes) {
        if (const Status read = readAt(*file, 0, static_cast<std::size_t>(*size), bytes); !read)
            return read.error();
        return detectGameInBytes(bytes);
    }
    // Beginning, middle and end, each cut to whole lines; a line ending between them keeps the
    // samples' lines apart.
    std::string sample;
    const std::uint64_t starts[] = {0, *size / 2 - kDetectSampleBytes / 2, *size - kDetectSampleBytes};
    for (std::size_t i = 0; i < std::size(starts); ++i) {
        sample.clear();
        if (const Status read = readAt(*file, starts[i], kDetectSampleBytes, sample); !read)
            return read.error();
        bytes += wholeLines(sample, i > 0, i + 1 < std::size(starts));
        bytes += '\n';
    }
    return detectGameInBytes(bytes);
}

FragCount killsOf(const Detection& detection, const Game* game) {
    for (const auto& [listed, kills] : detection.kills) {
        if (listed == game)
            return kills;
    }
    return 0;
}

Result<Detection> detectFirstReadable(std::span<const std::filesystem::path> paths) {
    Result<Detection> detected = Error{ErrorKind::NotFound, "cannot read any of the logs named"};
    for (const std::filesystem::path& path : paths) {
        detected = detectGame(path);
        if (detected)
            break;
    }
    return detected;
}

}  // namespace fragtide::engine
