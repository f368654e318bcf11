#include "engine/batch_plan.hpp"

#include <algorithm>

#include "engine/line_ends.hpp"

namespace fragtide::engine {

unsigned planBatch(std::string_view whole, const BatchShape& shape, std::vector<std::string_view>& pieces) {
    const unsigned threads = std::max(shape.threads, 1u);
    // Read times vary threefold from batch to batch, more than any cut made beforehand can
    // foresee: small spare pieces let the threads end closer together, at the cost of a merge each.
    std::size_t spare = whole.size();
    if (threads > 1 || shape.readNext) {
        spare = afterLineEnd(whole, whole.size() - whole.size() / 8);
        if (spare == std::string_view::npos)
            spare = whole.size();
    }
    const std::string_view fixed = whole.substr(0, spare);
    const auto fixedBytes = static_cast<double>(fixed.size());
    double share = fixedBytes / threads;
    const PieceSpeeds& pace = shape.speeds;
    if (threads > 1 && shape.readNext && pace.firstRate > 0 && pace.lastRate > 0) {
        // All finish after s seconds: (threads - 1) * s * firstRate + (s - read) * lastRate = fixed.
        const double seconds =
            (fixedBytes + pace.readSeconds * pace.lastRate) / ((threads - 1) * pace.firstRate + pace.lastRate);
        share = std::clamp(seconds * pace.firstRate, share, 0.9 * fixedBytes / (threads - 1));
    }
    pieces.clear();
    std::size_t begin = 0;
    for (unsigned t = 1; t < threads && begin < fixed.size(); ++t) {
        const auto at = std::min(fixed.size(), static_cast<std::size_t>(share * t));
        std::size_t cut = afterLineEnd(fixed, std::max(begin, at));
        if (cut == std::string_view::npos)
            cut = fixed.size();
        pieces.push_back(fixed.substr(begin, cut - begin));
        begin = cut;
    }
    if (begin < fixed.size())
        pieces.push_back(fixed.substr(begin));
    const auto fixedPieces = static_cast<unsigned>(pieces.size());
    for (std::size_t from = spare, k = 1; from < whole.size(); ++k) {
        std::size_t to = whole.size();
        const std::size_t at = from + (whole.size() - spare) / kSparePieces;
        if (k < kSparePieces && at < whole.size())
            to = std::min(to, afterLineEnd(whole, at));
        pieces.push_back(whole.substr(from, to - from));
        from = to;
    }
    return fixedPieces;
}

}  // namespace fragtide::engine
