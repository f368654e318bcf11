#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Where lines end in a stream of log bytes. CR, LF and CR LF each end one line; a last line
// without an ending is still a line; every other byte (NUL and 0xFF included) belongs to a line.
namespace fragtide::engine {

// Whether `c` ends a line.
constexpr bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// Scans for the next CR or LF from `from`; bytes.size() when there is none.
std::size_t findLineEnd(std::string_view bytes, std::size_t from);

// Just past the line ending at `end`, a CR or LF of `bytes`: a CR followed by LF ends there as one.
constexpr std::size_t pastLineEnd(std::string_view bytes, std::size_t end) {
    return bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? end + 2 : end + 1;
}

// Just past the first line ending at or after `from`, or npos when `bytes` hold none there.
std::size_t afterLineEnd(std::string_view bytes, std::size_t from);

// Calls onLine(line) for every line of `bytes`, without its ending, in order; returns how many.
template <typename OnLine>
std::uint64_t forEachLine(std::string_view bytes, OnLine&& onLine) {
    std::uint64_t lines = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = findLineEnd(bytes, pos);
        ++lines;
        onLine(bytes.substr(pos, end - pos));
        pos = end < bytes.size() ? pastLineEnd(bytes, end) : end;
    }
    return lines;
}

// Counts the line endings of one block of a stream (CR, LF and CR LF each one ending).
// `previousWasCr` carries whether the previous block ended in CR (start it false), so that a
// CR LF split between two blocks counts once. A last line without an ending is not counted.
std::uint64_t countLineEnds(std::string_view block, bool& previousWasCr);

}  // namespace fragtide::engine
