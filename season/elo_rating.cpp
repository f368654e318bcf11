#include "season/elo_rating.hpp"

#include <cmath>

namespace fragtide::season {

void EloRatings::frag(std::uint32_t killer, std::uint32_t victim) {
    double& rk = m_ratings[killer];
    double& rv = m_ratings[victim];
    const double expected = 1.0 / (1.0 + std::pow(10.0, (rv - rk) / 400.0));
    const double change = kRatingFactor * (1.0 - expected);
    rk += change;
    rv -= change;
}

}  // namespace fragtide::season
