#include "engine/log_analysis.hpp"

#include "engine/game_catalogue.hpp"
#include "engine/line_analyzer.hpp"
#include "engine/line_splitter.hpp"
#include "engine/log_file.hpp"
#include "engine/stats_store.hpp"

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

}  // namespace

std::uint64_t analyzeBuffer(StatsStore& store, std::string_view bytes) {
    const LineAnalyzer analyzer(rulesOf(store));
    std::uint64_t lines = 0;
    for (std::string_view line : splitLines(bytes)) {
        analyzer.analyzeLine(store, line);
        ++lines;
    }
    return lines;
}

Result<std::uint64_t> analyzeFile(StatsStore& store, const std::filesystem::path& path,
                                  const LineProgress& progress) {
    const LineAnalyzer analyzer(rulesOf(store));
    LineSplitter splitter;
    std::uint64_t lines = 0;
    const auto onLine = [&](std::string_view line) {
        analyzer.analyzeLine(store, line);
        ++lines;
        if (progress)
            progress(lines);
    };
    const Status status = forEachBlock(path, [&](std::string_view block) { splitter.feed(block, onLine); });
    if (!status)
        return status.error();
    splitter.finish(onLine);
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
