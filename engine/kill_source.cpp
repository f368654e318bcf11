#include "engine/kill_source.hpp"

#include "engine/line_analyzer.hpp"
#include "engine/readers/quake3_log_source.hpp"
#include "engine/readers/server_log_source.hpp"
#include "engine/store_merge.hpp"
#include "rules/game.hpp"

namespace fragtide::engine {
namespace {

// The console games: obituary rules, matched by the fast analyzer.
class ObituarySource final : public KillSource {
public:
    explicit ObituarySource(const rules::Game* game)
        : m_analyzer(game ? game->rules : nullptr, game ? game->oneName : nullptr) {}
    std::uint64_t analyzeLines(StatsStore& store, std::string_view bytes) const override {
        return m_analyzer.analyzeLines(store, bytes);
    }

private:
    LineAnalyzer m_analyzer;
};

}  // namespace

std::unique_ptr<KillSource> makeKillSource(const rules::Game* game) {
    if (game && game->kind == rules::KillSource::Quake3ServerLog)
        return std::make_unique<Quake3LogSource>(*game);
    if (game && game->kind != rules::KillSource::ObituaryRules)
        return std::make_unique<ServerLogSource>(*game);
    return std::make_unique<ObituarySource>(game);
}

bool KillSource::mergePart(StatsStore& into, const StatsStore& part) const {
    const std::optional<SlotMap> slotOf = prepareMerge(into, part);
    if (!slotOf)
        return false;
    mergeStore(into, part, *slotOf);
    return true;
}

std::optional<SlotMap> KillSource::prepareMerge(StatsStore&, const StatsStore&) const {
    SlotMap same;
    for (int s = 0; s < kSlotEntries; ++s)
        same[s] = s;
    return same;
}

void KillSource::noteCarried(StatsStore&, std::string_view) const {}

void KillSource::startAfter(StatsStore&, const StatsStore&) const {}

}  // namespace fragtide::engine
