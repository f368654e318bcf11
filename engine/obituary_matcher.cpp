#include "engine/obituary_matcher.hpp"

#include "engine/stats_store.hpp"

namespace fragtide::engine {

std::optional<ObituaryMatch> matchRule(std::string_view line, const rules::ObituaryRule& rule,
                                       bool killerFirst) {
    const std::size_t t = rule.trailing.size();
    const std::size_t m = rule.middle.size();
    if (m == 0 || !line.ends_with(rule.trailing))
        return std::nullopt;
    const std::size_t p = line.rfind(rule.middle);
    // The rightmost occurrence decides; if it overlaps the trailing text the rule does not match
    // at all, rather than leaving names of an occurrence further left behind.
    if (p == std::string_view::npos || p + m > line.size() - t)
        return std::nullopt;
    // The head keeps the first byte of the middle text: stored names have always ended in it.
    const std::string_view head = line.substr(0, p + 1);
    const std::string_view farName = line.substr(p + m, line.size() - t - (p + m));
    if (killerFirst)
        return ObituaryMatch{head, farName};
    return ObituaryMatch{farName, head};
}

int MatchObituary(StatsStore& store, std::string_view line, std::string_view middle,
                  std::string_view trailing, std::int16_t killerFirst) {
    const auto match = matchRule(line, {middle, trailing}, killerFirst != 0);
    if (!match)
        return 0;
    store.KillerName = match->killer;
    store.VictimName = match->victim;
    return 1;
}

}  // namespace fragtide::engine
