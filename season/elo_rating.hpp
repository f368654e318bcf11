#pragma once

#include <cstdint>
#include <vector>

// The season's rating: Elo per credited frag, each frag a duel won by the killer. With ratings Rk
// and Rv, E = 1 / (1 + 10^((Rv - Rk) / 400)); the killer gains 16 (1 - E), the victim loses as
// much. Everyone starts at 1000. Only frags with a killer and a victim are given to it.
namespace fragtide::season {

inline constexpr double kStartRating = 1000.0;
inline constexpr double kRatingFactor = 16.0;

class EloRatings {
public:
    // Room for people 0..count-1, all at the start rating.
    explicit EloRatings(std::size_t count) : m_ratings(count, kStartRating) {}
    void frag(std::uint32_t killer, std::uint32_t victim);
    double of(std::uint32_t person) const { return m_ratings[person]; }

private:
    std::vector<double> m_ratings;
};

}  // namespace fragtide::season
