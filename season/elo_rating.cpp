#include "season/elo_rating.hpp"

#include <cmath>

namespace fragtide::season {

void EloRatings::frag(std::uint32_t killer, std::uint32_t victim) {
    double& rk = m_ratings[killer];
    double& rv = m_ratings[victim];
    // 10^x as 2^(x log2 10): the same value to a few ulps, at a third of pow's cost per frag.
    constexpr double kLog2Of10Over400 = 3.321928094887362347870319429489390175864831393 / 400.0;
    const double expected = 1.0 / (1.0 + std::exp2((rv - rk) * kLog2Of10Over400));
    const double change = kRatingFactor * (1.0 - expected);
    rk += change;
    rv -= change;
}

}  // namespace fragtide::season
