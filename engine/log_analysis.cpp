#include "engine/log_analysis.hpp"

#include "engine/game_catalogue.hpp"
#include "engine/line_analyzer.hpp"
#include "engine/line_ends.hpp"
#include "engine/log_file.hpp"
#include "engine/stats_store.hpp"
#include "engine/store_merge.hpp"

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>

namespace fragtide::engine {
namespace {

const rules::RuleSet* rulesOf(const StatsStore& store) {
    const Game* game = findGame(store.CurrentGame);
    return game ? game->rules : nullptr;
}

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

// Bytes of a batch. Unlike a vector it does not zero what it grows by: every byte is about to be
// overwritten by a read.
class ByteBuffer {
public:
    char* data() { return m_data.get(); }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    char front() const { return m_data[0]; }
    void resize(std::size_t size) {
        if (size > m_capacity) {
            const std::size_t capacity = std::max(size, m_capacity * 2);
            std::unique_ptr<char[]> grown(new char[capacity]);
            if (m_size > 0)
                std::memcpy(grown.get(), m_data.get(), m_size);
            m_data = std::move(grown);
            m_capacity = capacity;
        }
        m_size = size;
    }
    void dropFront(std::size_t n) {
        std::memmove(m_data.get(), m_data.get() + n, m_size - n);
        m_size -= n;
    }

private:
    std::unique_ptr<char[]> m_data;
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

// Just past the last line ending of `bytes`, or 0. A CR as the very last byte counts: the LF
// that may follow it in the next batch is skipped there.
std::size_t afterLastLineEnd(std::string_view bytes) {
    for (std::size_t i = bytes.size(); i > 0; --i) {
        if (bytes[i - 1] == '\n' || bytes[i - 1] == '\r')
            return i;
    }
    return 0;
}

}  // namespace

Result<std::uint64_t> analyzeFile(StatsStore& store, const std::filesystem::path& path,
                                  const LineProgress& progress, const AnalysisOptions& options) {
    auto file = LogFile::open(path);
    if (!file)
        return file.error();
    const LineAnalyzer analyzer(rulesOf(store));
    unsigned threads = options.threads ? options.threads : std::thread::hardware_concurrency();
    threads = std::clamp(threads, 1u, 4u);
    const std::size_t batchBytes = std::max<std::size_t>(options.partBytes, 1) * threads;

    ByteBuffer buffer;  // the unfinished last line of the previous batch, then new bytes
    std::size_t carried = 0;
    bool skipLf = false;  // the previous batch ended in CR
    bool atEnd = false;
    std::uint64_t lines = 0;
    std::vector<StatsStore> parts(threads - 1);

    while (!atEnd) {
        buffer.resize(carried);
        // At least one block more than was carried, so a line longer than a batch still grows.
        while (!atEnd && (buffer.size() < batchBytes || buffer.size() == carried)) {
            // Straight into the batch: no second copy of every byte.
            const std::size_t had = buffer.size();
            const std::size_t want = std::min(batchBytes, kLogBlockSize);
            buffer.resize(had + want);
            auto got = file->readInto(buffer.data() + had, want);
            if (!got)
                return got.error();
            buffer.resize(had + *got);
            atEnd = *got == 0;
        }
        if (skipLf && !buffer.empty()) {
            skipLf = false;  // nothing was carried: the batch before ended right after its CR
            if (buffer.front() == '\n')
                buffer.dropFront(1);
        }
        const std::string_view bytes(buffer.data(), buffer.size());
        std::size_t complete = afterLastLineEnd(bytes);
        if (atEnd)
            complete = bytes.size();  // a last line without an ending is still a line
        else if (complete == 0 && !bytes.empty()) {
            carried = buffer.size();  // a line longer than a batch: read on
            continue;
        }
        const std::string_view whole = bytes.substr(0, complete);

        // Cut the batch at line ends into one piece per thread; the first piece is this thread's.
        std::vector<std::string_view> pieces;
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

        std::vector<std::uint64_t> counts(pieces.size(), 0);
        {
            std::vector<std::thread> workers;
            for (std::size_t i = 1; i < pieces.size(); ++i) {
                parts[i - 1].resetCounts();
                parts[i - 1].KillerName.clear();
                parts[i - 1].VictimName.clear();
                workers.emplace_back([&, i] { counts[i] = analyzer.analyzeLines(parts[i - 1], pieces[i]); });
            }
            if (!pieces.empty())
                counts[0] = analyzer.analyzeLines(store, pieces[0]);
            for (auto& worker : workers)
                worker.join();
        }
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            if (storeIsFull(parts[i - 1]))
                analyzer.analyzeLines(store, pieces[i]);  // its own table overflowed: redo in order
            else
                mergeStore(store, parts[i - 1]);
        }
        for (const auto n : counts)
            lines += n;
        if (progress)
            progress(lines);

        // Keep the unfinished line for the next batch.
        const std::size_t consumed = complete;
        if (complete > 0 && bytes[complete - 1] == '\r')
            skipLf = true;
        carried = buffer.size() - consumed;
        if (carried > 0)  // an empty buffer's data() may be null, which memmove must not get
            std::memmove(buffer.data(), buffer.data() + consumed, carried);
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
