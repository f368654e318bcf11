#include "engine/log_analysis.hpp"

#include "engine/batch_plan.hpp"
#include "engine/byte_buffer.hpp"
#include "engine/game_catalogue.hpp"
#include "engine/kill_source.hpp"
#include "engine/line_analyzer.hpp"
#include "engine/line_ends.hpp"
#include "engine/log_file.hpp"
#include "engine/stats_store.hpp"
#include "engine/store_merge.hpp"
#include "engine/worker_pool.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <thread>


namespace fragtide::engine {
namespace {

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

// Just past the last line ending of `bytes` at or after `from`, or 0. A CR as the very last byte
// counts: the LF that may follow it in the next batch is skipped there. Looking only from `from`
// keeps a long line from being scanned again after every block.
std::size_t afterLastLineEnd(std::string_view bytes, std::size_t from) {
    for (std::size_t i = bytes.size(); i > from; --i) {
        if (isLineEnd(bytes[i - 1]))
            return i;
    }
    return 0;
}

std::string shownLimit(std::size_t bytes) {
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0)
        return std::to_string(bytes >> 20) + " MiB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

}  // namespace

Error lineTooLong(const std::filesystem::path& path, std::uint64_t line, std::size_t limit) {
    return {ErrorKind::TooLong, "cannot read '" + shownPath(path) + "': line " + std::to_string(line) +
                                    " is longer than " + shownLimit(limit) +
                                    ", the longest line Fragtide reads, so it is probably not a game log"};
}

Error outOfMemory(const std::filesystem::path& path) {
    return {ErrorKind::Io, "cannot read '" + shownPath(path) + "': not enough memory"};
}

Error tooManyNames(const std::filesystem::path& path) {
    return {ErrorKind::OutOfMemory,
            "cannot read '" + shownPath(path) + "': too many distinct names for the memory available"};
}

namespace {

// One file as a stream.
class FileStream final : public LogStream {
public:
    FileStream(LogFile& file, const std::filesystem::path& path) : m_file(file), m_path(path) {}
    Result<std::size_t> readInto(char* dst, std::size_t size) override { return m_file.readInto(dst, size); }
    Error lineTooLong(std::uint64_t line, std::size_t limit) const override {
        return engine::lineTooLong(m_path, line, limit);
    }
    Error outOfMemory() const override { return engine::outOfMemory(m_path); }
    Error tooManyNames() const override { return engine::tooManyNames(m_path); }

private:
    LogFile& m_file;
    const std::filesystem::path& m_path;
};

// The number (from 1) of the first line of `whole` longer than `limit`, or 0. `whole` ends with
// a line ending or at the end of the file.
std::uint64_t firstLineLongerThan(std::string_view whole, std::size_t limit) {
    std::uint64_t line = 1;
    for (std::size_t pos = 0; pos < whole.size(); ++line) {
        const std::size_t end = findLineEnd(whole, pos);
        if (end - pos > limit)
            return line;
        pos = end < whole.size() ? pastLineEnd(whole, end) : whole.size();
    }
    return 0;
}

}  // namespace

Result<std::uint64_t> analyzeFile(StatsStore& store, const std::filesystem::path& path,
                                  const LineProgress& progress, const AnalysisOptions& options) {
    auto file = LogFile::open(path);
    if (!file)
        return file.error();
    FileStream stream(*file, path);
    return analyzeStream(store, stream, progress, options);
}

Result<std::uint64_t> analyzeFile(const KillSource& source, StatsStore& store,
                                  const std::filesystem::path& path, const LineProgress& progress,
                                  const AnalysisOptions& options) {
    auto file = LogFile::open(path);
    if (!file)
        return file.error();
    FileStream stream(*file, path);
    return analyzeStream(source, store, stream, progress, options);
}

Result<std::uint64_t> analyzeStream(StatsStore& store, LogStream& stream, const LineProgress& progress,
                                    const AnalysisOptions& options) {
    const Game* game = findGame(store.CurrentGame);
    if (game && game->kind != rules::KillSource::ObituaryRules &&
        std::ranges::all_of(store.WeaponKeys, [](const std::string& key) { return key.empty(); })) {
        // No weapon has a slot yet: names left from an earlier analysis would show beside this one's.
        for (auto& name : store.WeaponNames)
            name.clear();
    }
    const auto source = makeKillSource(game);
    return analyzeStream(*source, store, stream, progress, options);
}

namespace {

// Merges every piece's part (parts[i] for pieces[i]) into `store` in order. Each part's state and
// people join on this thread; the people's counts and the players' then join on two threads at
// once. A part that cannot merge is read again in place, after those before it. False when memory
// ran out.
bool mergeOnTwoThreads(const KillSource& source, StatsStore& store, WorkerPool& pool, std::vector<StatsStore>& parts,
                       const std::vector<std::string_view>& pieces) {
    std::vector<PartMerge> started;
    std::atomic<bool> outOfMemory = false;
    const auto finish = [&] {
        if (started.empty())
            return;
        pool.run(2, [&](unsigned half) {  // the pool has a helper at least: the reader
            try {
                for (const PartMerge& merge : started)
                    half == 0 ? mergePeopleCounts(store, merge) : mergePlayers(store, merge);
            } catch (const std::bad_alloc&) {
                outOfMemory = true;
            }
        });
        started.clear();
    };
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::optional<SlotMap> slotOf = source.prepareMerge(store, parts[i]);
        if (slotOf) {
            started.push_back(startMerge(store, parts[i], *slotOf));
            continue;
        }
        finish();
        (void)source.analyzeLines(store, pieces[i]);  // not mergeable: redo in order
    }
    finish();
    return !outOfMemory;
}

Result<std::uint64_t> analyzeUnguarded(const KillSource& source, StatsStore& store, LogStream& stream,
                                       const LineProgress& progress, const AnalysisOptions& options) {
    unsigned threads = options.threads ? options.threads : std::thread::hardware_concurrency();
    threads = std::clamp(threads, 1u, 4u);
    const std::size_t batchBytes = std::max<std::size_t>(options.partBytes, 1) * threads;
    const std::size_t readBytes = std::min(batchBytes, kLogBlockSize);
    const std::size_t maxLine = std::max<std::size_t>(options.maxLineBytes, 1);
    // The buffer never needs more: a batch, or the longest allowed line, and one read.
    const std::size_t mostBytes = std::max(batchBytes, maxLine) + readBytes + 1;
    // A buffer grown far past a batch by a long line is given back once that line is done.
    const std::size_t keepBytes = 2 * (batchBytes + readBytes);

    std::size_t fillBytes = batchBytes;  // smaller once the store names very many people
    // Reads after the first `carried` bytes of `buffer` until it holds a batch (and at least one
    // read more than was carried, so a line longer than a batch still grows) or the stream ends.
    const auto fill = [&](ByteBuffer& buffer, std::size_t carried, bool& atEnd) -> Status {
        (void)buffer.resize(carried, mostBytes);  // never grows
        while (!atEnd && (buffer.size() < fillBytes || buffer.size() == carried)) {
            // Straight into the batch: no second copy of every byte.
            const std::size_t had = buffer.size();
            if (!buffer.resize(had + readBytes, mostBytes))
                return stream.outOfMemory();
            buffer.prepare(had + readBytes);
            auto got = stream.readInto(buffer.data() + had, readBytes);
            if (!got)
                return got.error();
            (void)buffer.resize(had + *got, mostBytes);
            atEnd = *got == 0;
        }
        return Ok{};
    };

    // Two buffers: while the lines of one are analysed, the next batch is read into the other, so
    // the threads do not wait for the reading. Where a processor is free for it, a helper of its
    // own reads; where not (two processors, two pieces), a reader beside the pieces would share a
    // processor with one of them, and the system does not move the three about finely enough:
    // the piece beside the reader finishes late while the other waits for it. So
    // there the last piece's thread reads first and analyses a shorter piece, cut so that all the
    // threads finish together by the speeds and the read time measured as the batches go.
    const bool readerShares = threads > 1 && std::thread::hardware_concurrency() <= threads;
    struct Pace {
        PieceSpeeds speeds;
        static void blend(double& average, double seconds, double bytes) {
            if (seconds <= 0 || bytes <= 0)
                return;
            const double rate = bytes / seconds;
            average = average > 0 ? (average + rate) / 2 : rate;
        }
    } pace;
    ByteBuffer buffers[2];
    // A batch and one read, from the start: a buffer that grows by doubling is moved at times,
    // and the moved pages are as slow to read into the first time as fresh ones.
    for (ByteBuffer& buffer : buffers)
        (void)buffer.reserve(batchBytes + readBytes);
    ByteBuffer* current = &buffers[0];
    ByteBuffer* next = &buffers[1];
    std::size_t carried = 0;  // the start of `current` left from the batch before; holds no line ending
    bool skipLf = false;      // the previous batch ended in CR
    bool atEnd = false;       // the stream holds nothing after `current`
    std::uint64_t lines = 0;
    std::uint64_t bytesDone = 0;
    std::vector<StatsStore> parts(threads + kSparePieces);  // the pieces after the first, or all of them
    WorkerPool pool(threads);  // one helper more than the pieces need: the reader
    std::vector<std::string_view> pieces;
    std::vector<std::uint64_t> counts;

    if (const Status read = fill(*current, 0, atEnd); !read)
        return read.error();
    for (;;) {
        if (skipLf && current->size() > 0) {
            skipLf = false;  // set only when nothing was carried: the new bytes follow the CR
            if (current->data()[0] == '\n') {
                current->dropFront(1);
                ++bytesDone;
            }
        }
        const std::string_view bytes(current->data(), current->size());
        std::size_t complete = afterLastLineEnd(bytes, carried);
        if (atEnd)
            complete = bytes.size();  // a last line without an ending is still a line
        const std::string_view whole = bytes.substr(0, complete);
        // Only a batch bigger than the limit can hold a line that passes it.
        if (whole.size() > maxLine) {
            if (const std::uint64_t line = firstLineLongerThan(whole, maxLine))
                return stream.lineTooLong(lines + line, maxLine);
        }
        if (bytes.size() - complete > maxLine) {
            bool previousWasCr = false;
            return stream.lineTooLong(lines + countLineEnds(whole, previousWasCr) + 1, maxLine);
        }
        if (complete == 0 && !bytes.empty()) {
            carried = bytes.size();  // a line longer than a batch: read on, here
            if (const Status read = fill(*current, carried, atEnd); !read)
                return read.error();
            continue;
        }

        // Cut the batch at line ends into one piece per thread; the first piece is this thread's.
        const bool readNext = !atEnd;
        BatchShape shape{threads, readNext, {}};
        if (readerShares && readNext)
            shape.speeds = pace.speeds;
        const unsigned analysers = planBatch(whole, shape, pieces);

        // The unfinished last line starts the next batch.
        const std::string_view rest = bytes.substr(complete);
        bool nextAtEnd = false;
        Status nextRead = Ok{};
        if (readNext) {
            if (!next->resize(rest.size(), mostBytes))
                return stream.outOfMemory();
            if (!rest.empty())
                std::memcpy(next->data(), rest.data(), rest.size());
        }

        const bool allParts = pieces.size() > 1 && store.People.people().size() >= options.manyPeople;
        const std::size_t firstPart = allParts ? 0 : 1;
        if (allParts)  // pieces a quarter the size: each part's name tables stay in the caches
            fillBytes = std::max<std::size_t>(batchBytes / 4, 1);
        // The store piece i is analysed into, from firstPart on.
        const auto partOf = [&](std::size_t i) -> StatsStore& { return parts[i - firstPart]; };
        const auto resetPart = [&](std::size_t i) {
            StatsStore& part = partOf(i);
            part.resetCounts(KeepMemory::All);
            part.KeepEvents = store.KeepEvents;
            part.KillerName.clear();
            part.VictimName.clear();
        };
        const bool carries = source.carriesAcrossPieces() && pieces.size() > 1;
        if (carries) {
            // What each piece leaves for the next is noted on every thread, then chained in order:
            // the pieces start from what the lines before them said and merge without a second read.
            std::atomic<std::size_t> nextPart = firstPart;
            pool.run(static_cast<unsigned>(std::min<std::size_t>(threads, pieces.size() - firstPart)), [&](unsigned) {
                for (std::size_t i; (i = nextPart.fetch_add(1)) < pieces.size();) {
                    resetPart(i);
                    source.noteCarried(partOf(i), i == 0 ? std::string_view() : pieces[i - 1]);
                }
            });
            for (std::size_t i = firstPart; i < pieces.size(); ++i)
                source.startAfter(partOf(i), i == firstPart ? store : partOf(i - 1));
        }

        const bool readerApart = !(readerShares && analysers > 1);
        const unsigned reader = readerApart ? analysers : analysers - 1;
        double readSeconds = 0, firstSeconds = 0, lastSeconds = 0;
        counts.assign(pieces.size(), 0);
        std::atomic<std::size_t> nextSpare = analysers;
        std::atomic<bool> outOfMemory = false;
        bool readOutOfMemory = false;  // the reader's: its error is made on this thread
        const auto analyse = [&](std::size_t i) {
            // Caught here, on the thread that ran out: an exception leaving a helper thread ends the
            // program, and one leaving this thread's piece would leave the helpers running.
            try {
                if (i < firstPart) {
                    counts[0] = source.analyzeLines(store, pieces[0]);
                    return;
                }
                if (!carries)
                    resetPart(i);
                counts[i] = source.analyzeLines(partOf(i), pieces[i]);
                if (allParts)  // nothing writes to the store until the merges
                    partOf(i).People.lookUpIn(store.People);
            } catch (const std::bad_alloc&) {
                outOfMemory = true;
            }
        };
        pool.run(analysers + (readNext && readerApart ? 1 : 0), [&](unsigned i) {
            using Clock = std::chrono::steady_clock;
            if (readNext && i == reader) {
                const auto start = Clock::now();
                try {
                    nextRead = fill(*next, rest.size(), nextAtEnd);
                } catch (const std::bad_alloc&) {
                    readOutOfMemory = true;
                }
                readSeconds = std::chrono::duration<double>(Clock::now() - start).count();
            }
            if (i < analysers) {
                const auto start = Clock::now();
                analyse(i);
                const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
                if (i == 0)
                    firstSeconds = seconds;
                if (i == analysers - 1)
                    lastSeconds = seconds;
            }
            for (std::size_t k; (k = nextSpare.fetch_add(1)) < pieces.size();)
                analyse(k);
        });
        if (readNext && !readerApart) {
            PieceSpeeds& speeds = pace.speeds;
            Pace::blend(speeds.firstRate, firstSeconds, static_cast<double>(pieces.front().size()));
            Pace::blend(speeds.lastRate, lastSeconds, static_cast<double>(pieces[analysers - 1].size()));
            speeds.readSeconds = speeds.readSeconds > 0 ? (speeds.readSeconds + readSeconds) / 2 : readSeconds;
        }
        if (readOutOfMemory)
            return stream.outOfMemory();
        if (outOfMemory)
            return stream.tooManyNames();
        if (allParts) {
            if (!mergeOnTwoThreads(source, store, pool, parts, pieces))
                return stream.tooManyNames();
        } else {
            for (std::size_t i = firstPart; i < pieces.size(); ++i) {
                if (!source.mergePart(store, partOf(i)))
                    (void)source.analyzeLines(store, pieces[i]);  // not mergeable: redo in order
            }
        }
        for (const auto n : counts)
            lines += n;
        bytesDone += complete;
        if (progress)
            progress(lines);
        if (options.byteProgress)
            options.byteProgress(bytesDone);
        if (!nextRead)
            return nextRead.error();
        if (!readNext)
            return lines;

        carried = rest.size();
        skipLf = carried == 0 && complete > 0 && bytes[complete - 1] == '\r';
        atEnd = nextAtEnd;
        std::swap(current, next);
        if (next->capacity() > keepBytes)
            next->release();
    }
}

}  // namespace

Result<std::uint64_t> analyzeStream(const KillSource& source, StatsStore& store, LogStream& stream,
                                    const LineProgress& progress, const AnalysisOptions& options) {
    // Short of memory, the line buffers have their own error; what else grows with the log is the
    // people and players it names. The store is left part-filled, as after any failure.
    try {
        return analyzeUnguarded(source, store, stream, progress, options);
    } catch (const std::bad_alloc&) {
        return stream.tooManyNames();
    }
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
    if (!isLineEnd(last))
        ++lines;  // a last line without an ending is still a line
    return lines;
}

}  // namespace fragtide::engine
