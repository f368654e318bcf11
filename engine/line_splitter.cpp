#include "engine/line_splitter.hpp"

#include <algorithm>
#include <cstring>

namespace fragtide::engine {

std::size_t findLineEnd(std::string_view bytes, std::size_t from) {
    const char* const begin = bytes.data();
    const char* p = begin + from;
    const char* const end = begin + bytes.size();
    // memchr is vectorised; looking for CR and LF in short windows keeps each byte scanned at
    // most twice, whichever ending the log uses.
    constexpr std::size_t kWindow = 256;
    while (p < end) {
        const std::size_t n = std::min<std::size_t>(kWindow, static_cast<std::size_t>(end - p));
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', n));
        const char* limit = lf ? lf : p + n;
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(limit - p)));
        if (cr)
            return static_cast<std::size_t>(cr - begin);
        if (lf)
            return static_cast<std::size_t>(lf - begin);
        p += n;
    }
    return bytes.size();
}

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = findLineEnd(bytes, pos);
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end + 1;
        if (end < bytes.size() && bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    return lines;
}

}  // namespace fragtide::engine
