// Times the analysis of a log file and prints the figures; never fails a build.
//
//   analyze_bench GAME FILE [RUNS] [plain]
// "plain" times the rule-set procedures (one search per rule, one thread) over the same bytes,
// the reference the fast path is measured against.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "engine/game_catalogue.hpp"
#include "engine/log_analysis.hpp"
#include "engine/log_file.hpp"
#include "engine/reference/reference_matcher.hpp"
#include "engine/rule_sets.hpp"
#include "engine/stats_store.hpp"

int main(int argc, char** argv) {
    using namespace fragtide;
    if (argc < 3) {
        std::fprintf(stderr, "usage: analyze_bench GAME FILE [RUNS]\n");
        return 2;
    }
    std::string game = argv[1];
    for (const auto& g : engine::games())
        if (g.alias == game)
            game = g.displayName;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
    if (argc > 4 && std::string_view(argv[4]) == "plain") {
        std::ifstream in(argv[2], std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const engine::Game* g = engine::findGame(game);
        if (!g)
            return 2;
        engine::StatsStore store;
        const auto lines = engine::reference::referenceLines(bytes);  // not timed: the procedures are
        const auto start = std::chrono::steady_clock::now();
        for (std::string_view line : lines)
            for (int slot = 1; slot <= engine::kSlotsPerLine; ++slot)
                engine::checkRuleSet(store, *g->rules, slot, line);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%s: %.1f MB, plain rule-set procedures: %.3f s (%.0f MB/s)\n", game.c_str(),
                    static_cast<double>(bytes.size()) / 1e6, s, static_cast<double>(bytes.size()) / 1e6 / s);
        return 0;
    }
    const auto size = engine::fileSize(argv[2]);
    if (!size) {
        std::fprintf(stderr, "%s\n", size.error().message.c_str());
        return 1;
    }
    for (int run = 0; run < runs; ++run) {
        engine::StatsStore store;
        store.CurrentGame = game;
        std::uint64_t progressCalls = 0;
        const auto start = std::chrono::steady_clock::now();
        const auto counted = engine::countLines(argv[2]);
        const auto mid = std::chrono::steady_clock::now();
        const auto lines = engine::analyzeFile(store, argv[2], [&](std::uint64_t) { ++progressCalls; });
        const auto end = std::chrono::steady_clock::now();
        if (!lines || !counted) {
            std::fprintf(stderr, "analysis failed\n");
            return 1;
        }
        const double countS = std::chrono::duration<double>(mid - start).count();
        const double analyseS = std::chrono::duration<double>(end - mid).count();
        engine::FragCount kills = 0;
        for (auto k : store.WeaponFrags)
            kills += k;
        std::printf("%s: %.1f MB, %llu lines, %lld kills: count pass %.3f s, analysis %.3f s (%.0f MB/s), total %.3f s\n",
                    game.c_str(), static_cast<double>(*size) / 1e6, static_cast<unsigned long long>(*lines),
                    static_cast<long long>(kills), countS, analyseS, static_cast<double>(*size) / 1e6 / analyseS,
                    countS + analyseS);
    }
    return 0;
}
