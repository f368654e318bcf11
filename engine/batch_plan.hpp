#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// How the batch reader (log_analysis.cpp) cuts a batch of whole lines into pieces for its threads.
// Pure: it reads no file and starts no thread, so the cut is tested on its own.
namespace fragtide::engine {

// The batch's last eighth is cut into this many spare pieces, each taken by whichever thread is
// free first.
inline constexpr std::size_t kSparePieces = 4;

// Bytes a second of the first and the last fixed piece and the seconds a read takes, as measured
// over the batches so far; zero while unknown.
struct PieceSpeeds {
    double firstRate = 0;
    double lastRate = 0;
    double readSeconds = 0;
};

struct BatchShape {
    unsigned threads = 1;
    bool readNext = false;  // another batch is read meanwhile
    // Set when the last piece's thread reads the next batch first: its piece is then cut shorter,
    // so that all the threads finish together by these speeds.
    PieceSpeeds speeds;
};

// Cuts `whole` (whole lines, the last one perhaps without its ending) into `pieces`: one fixed
// piece per thread at most, then, when there is more than one thread or a read going on, up to
// kSparePieces spare pieces from the last eighth. Every cut is just after a line ending, so the
// pieces are whole lines and their concatenation is `whole`; none is empty. Returns the number of
// fixed pieces. The pieces are views into `whole`.
unsigned planBatch(std::string_view whole, const BatchShape& shape, std::vector<std::string_view>& pieces);

}  // namespace fragtide::engine
