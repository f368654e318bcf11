#include "engine/log_analysis.hpp"

#include "engine/game_catalogue.hpp"
#include "engine/kill_source.hpp"
#include "engine/line_analyzer.hpp"
#include "engine/line_ends.hpp"
#include "engine/readers/server_log_source.hpp"
#include "engine/log_file.hpp"
#include "engine/stats_store.hpp"
#include "engine/worker_pool.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace fragtide::engine {
namespace {

// The six console games: obituary rules, matched by the fast analyzer.
class ObituarySource final : public KillSource {
public:
    explicit ObituarySource(const Game* game)
        : m_analyzer(game ? game->rules : nullptr, game ? game->oneName : nullptr) {}
    std::uint64_t analyzeLines(StatsStore& store, std::string_view bytes) const override {
        return m_analyzer.analyzeLines(store, bytes);
    }

private:
    LineAnalyzer m_analyzer;
};

// Feeds every block of the file to `onBlock`; the file is closed on return.
template <typename OnBlock>
Status forEachBlock(const std::filesystem::path& path, OnBlock&& onBlock) {
    auto file = LogFile::open(path);
    if (!file)
        return file.error();
    std::vector<char> buffer;
    for (;;) {
        auto block = file->readBlock(buffer);
        if (!block)
            return block.error();
        if (block->empty())
            return Ok{};
        onBlock(*block);
    }
}

// Bytes of a batch. Unlike a vector it does not zero what it grows by (every byte is about to be
// overwritten by a read), and it grows with realloc, which for large blocks moves pages instead
// of copying them, so a long line does not briefly need twice its memory.
class ByteBuffer {
public:
    ByteBuffer() = default;
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;
    ~ByteBuffer() { std::free(m_data); }

    char* data() { return m_data; }
    std::size_t size() const { return m_size; }
    // False when the memory cannot be had; the size is then unchanged. Never grows past `most`.
    bool resize(std::size_t size, std::size_t most) {
        if (size > m_capacity) {
            const std::size_t capacity = std::min(std::max(size, m_capacity * 2), std::max(size, most));
            char* grown = static_cast<char*>(std::realloc(m_data, capacity));
            if (!grown)
                return false;
            m_data = grown;
            m_capacity = capacity;
        }
        m_size = size;
        return true;
    }
    void dropFront(std::size_t n) {
        if (n < m_size)  // an empty buffer's data() may be null, which memmove must not get
            std::memmove(m_data, m_data + n, m_size - n);
        m_size -= std::min(n, m_size);
    }

private:
    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

// Just past the line ending at or after `from` (CR LF taken whole), or npos when the bytes
// hold no ending there.
std::size_t afterLineEnd(std::string_view bytes, std::size_t from) {
    const std::size_t end = findLineEnd(bytes, from);
    if (end == bytes.size())
        return std::string_view::npos;
    if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
        return end + 2;
    return end + 1;
}

// Just past the last line ending of `bytes` at or after `from`, or 0. A CR as the very last byte
// counts: the LF that may follow it in the next batch is skipped there. Looking only from `from`
// keeps a long line from being scanned again after every block.
std::size_t afterLastLineEnd(std::string_view bytes, std::size_t from) {
    for (std::size_t i = bytes.size(); i > from; --i) {
        if (bytes[i - 1] == '\n' || bytes[i - 1] == '\r')
            return i;
    }
    return 0;
}

std::string shownLimit(std::size_t bytes) {
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0)
        return std::to_string(bytes >> 20) + " MiB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

Error lineTooLong(const std::filesystem::path& path, std::uint64_t line, std::size_t limit) {
    return {ErrorKind::TooLong, "cannot read '" + shownPath(path) + "': line " + std::to_string(line) +
                                    " is longer than " + shownLimit(limit) +
                                    ", the longest line Fragtide reads, so it is probably not a game log"};
}

// The number (from 1) of the first line of `whole` longer than `limit`, or 0. `whole` ends with
// a line ending or at the end of the file.
std::uint64_t firstLineLongerThan(std::string_view whole, std::size_t limit) {
    std::uint64_t line = 1;
    for (std::size_t pos = 0; pos < whole.size(); ++line) {
        const std::size_t end = findLineEnd(whole, pos);
        if (end - pos > limit)
            return line;
        pos = end + 1;
        if (end < whole.size() && whole[end] == '\r' && pos < whole.size() && whole[pos] == '\n')
            ++pos;
    }
    return 0;
}

}  // namespace

std::unique_ptr<KillSource> makeKillSource(const rules::Game* game) {
    if (game && game->kind != rules::KillSource::ObituaryRules)
        return std::make_unique<ServerLogSource>(*game);
    return std::make_unique<ObituarySource>(game);
}

Result<std::uint64_t> analyzeFile(StatsStore& store, const std::filesystem::path& path,
                                  const LineProgress& progress, const AnalysisOptions& options) {
    const Game* game = findGame(store.CurrentGame);
    if (game && game->kind != rules::KillSource::ObituaryRules &&
        std::ranges::all_of(store.WeaponKeys, [](const std::string& key) { return key.empty(); })) {
        // No weapon has a slot yet: names left from an earlier analysis would show beside this one's.
        for (auto& name : store.WeaponNames)
            name.clear();
    }
    const auto source = makeKillSource(game);
    return analyzeFile(*source, store, path, progress, options);
}

Result<std::uint64_t> analyzeFile(const KillSource& source, StatsStore& store,
                                  const std::filesystem::path& path, const LineProgress& progress,
                                  const AnalysisOptions& options) {
    auto file = LogFile::open(path);
    if (!file)
        return file.error();
    unsigned threads = options.threads ? options.threads : std::thread::hardware_concurrency();
    threads = std::clamp(threads, 1u, 4u);
    const std::size_t batchBytes = std::max<std::size_t>(options.partBytes, 1) * threads;
    const std::size_t readBytes = std::min(batchBytes, kLogBlockSize);
    const std::size_t maxLine = std::max<std::size_t>(options.maxLineBytes, 1);
    // The buffer never needs more: a batch, or the longest allowed line, and one read.
    const std::size_t mostBytes = std::max(batchBytes, maxLine) + readBytes + 1;

    ByteBuffer buffer;  // the unfinished last line of the previous batch, then new bytes
    std::size_t carried = 0;  // holds no line ending
    bool skipLf = false;      // the previous batch ended in CR
    bool atEnd = false;
    std::uint64_t lines = 0;
    std::vector<StatsStore> parts(threads - 1);
    WorkerPool pool(threads - 1);
    std::vector<std::string_view> pieces;
    std::vector<std::uint64_t> counts;

    while (!atEnd) {
        (void)buffer.resize(carried, mostBytes);  // never grows
        // At least one block more than was carried, so a line longer than a batch still grows.
        while (!atEnd && (buffer.size() < batchBytes || buffer.size() == carried)) {
            // Straight into the batch: no second copy of every byte.
            const std::size_t had = buffer.size();
            if (!buffer.resize(had + readBytes, mostBytes))
                return Error{ErrorKind::Io, "cannot read '" + shownPath(path) + "': not enough memory"};
            auto got = file->readInto(buffer.data() + had, readBytes);
            if (!got)
                return got.error();
            (void)buffer.resize(had + *got, mostBytes);
            atEnd = *got == 0;
        }
        if (skipLf && buffer.size() > 0) {
            skipLf = false;  // set only when nothing was carried: the new bytes follow the CR
            if (buffer.data()[0] == '\n')
                buffer.dropFront(1);
        }
        const std::string_view bytes(buffer.data(), buffer.size());
        std::size_t complete = afterLastLineEnd(bytes, carried);
        if (atEnd)
            complete = bytes.size();  // a last line without an ending is still a line
        const std::string_view whole = bytes.substr(0, complete);
        // Only a batch bigger than the limit can hold a line that passes it.
        if (whole.size() > maxLine) {
            if (const std::uint64_t line = firstLineLongerThan(whole, maxLine))
                return lineTooLong(path, lines + line, maxLine);
        }
        if (bytes.size() - complete > maxLine) {
            bool previousWasCr = false;
            return lineTooLong(path, lines + countLineEnds(whole, previousWasCr) + 1, maxLine);
        }
        if (complete == 0 && !bytes.empty()) {
            carried = bytes.size();  // a line longer than a batch: read on
            continue;
        }

        // Cut the batch at line ends into one piece per thread; the first piece is this thread's.
        pieces.clear();
        std::size_t begin = 0;
        for (unsigned t = 1; t < threads && begin < whole.size(); ++t) {
            std::size_t cut = afterLineEnd(whole, std::max(begin, whole.size() * t / threads));
            if (cut == std::string_view::npos)
                cut = whole.size();
            pieces.push_back(whole.substr(begin, cut - begin));
            begin = cut;
        }
        if (begin < whole.size())
            pieces.push_back(whole.substr(begin));

        counts.assign(pieces.size(), 0);
        pool.run(static_cast<unsigned>(pieces.size()), [&](unsigned i) {
            if (i == 0) {
                counts[0] = source.analyzeLines(store, pieces[0]);
                return;
            }
            StatsStore& part = parts[i - 1];
            part.resetCounts();
            part.KillerName.clear();
            part.VictimName.clear();
            counts[i] = source.analyzeLines(part, pieces[i]);
        });
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            if (!source.mergePart(store, parts[i - 1]))
                (void)source.analyzeLines(store, pieces[i]);  // not mergeable: redo in order
        }
        for (const auto n : counts)
            lines += n;
        if (progress)
            progress(lines);

        // Keep the unfinished line for the next batch.
        carried = bytes.size() - complete;
        skipLf = carried == 0 && complete > 0 && bytes[complete - 1] == '\r';
        buffer.dropFront(complete);
    }
    return lines;
}

Result<std::uint64_t> countLines(const std::filesystem::path& path) {
    std::uint64_t lines = 0;
    bool previousWasCr = false;
    char last = '\n';
    const Status status = forEachBlock(path, [&](std::string_view block) {
        lines += countLineEnds(block, previousWasCr);
        last = block.back();
    });
    if (!status)
        return status.error();
    if (last != '\r' && last != '\n')
        ++lines;  // a last line without an ending is still a line
    return lines;
}

}  // namespace fragtide::engine
