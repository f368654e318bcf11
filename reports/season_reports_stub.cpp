// Stands in for the season reports until their own file lands: name and rating per line, and
// map and file per match. Remove this file (and its line in CMakeLists.txt) when
// reports/season_reports.cpp is merged.
#include "reports/season_reports.hpp"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "engine/display_text.hpp"

namespace fragtide::reports {

Lines ranking(const season::SeasonView& view) {
    std::vector<std::size_t> order(view.ratings.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return view.ratings[a] > view.ratings[b]; });
    Lines lines;
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        char rating[32];
        std::snprintf(rating, sizeof rating, "%.1f", view.ratings[order[rank]]);
        lines.push_back(std::to_string(rank + 1) + "  " +
                        engine::displayName(view.store, view.store.People.people()[order[rank]].name) + "  " + rating);
    }
    return lines;
}

Lines matches(const season::SeasonView& view) {
    Lines lines;
    for (const season::Match& match : view.matches)
        lines.push_back(engine::displayName(view.store, match.map) + "  " + match.file + "  " + std::to_string(match.kills));
    return lines;
}

}  // namespace fragtide::reports
