// Times a log reader, one thread, over a file already in memory; prints the figures, never fails.
//
//   reader_bench hl|q2-stdlog FILE [RUNS] [plain]
// "plain" times the reader's reference (std::regex or std::getline) instead, on the first 16 MB.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "engine/line_ends.hpp"
#include "engine/readers/hl_server_log.hpp"
#include "engine/readers/stdlog.hpp"
#include "engine/reference/hl_server_log_reference.hpp"
#include "engine/reference/stdlog_reference.hpp"

int main(int argc, char** argv) {
    using namespace fragtide;
    if (argc < 3) {
        std::fprintf(stderr, "usage: reader_bench hl|q2-stdlog FILE [RUNS] [plain]\n");
        return 2;
    }
    const bool hl = std::string_view(argv[1]) == "hl";
    const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
    const bool plain = argc > 4 && std::string_view(argv[4]) == "plain";
    std::ifstream in(argv[2], std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (plain)
        bytes.resize(std::min<std::size_t>(bytes.size(), 16 << 20));
    for (int run = 0; run < runs; ++run) {
        std::uint64_t lines = 0, events = 0;
        const auto start = std::chrono::steady_clock::now();
        const auto onLine = [&](std::string_view line) {
            ++lines;
            if (plain)
                events += hl ? reference::readHlServerLogLine(line).has_value()
                             : reference::readStdLogLine(line).has_value();
            else
                events += hl ? engine::readHlServerLogLine(line).has_value() : engine::readStdLogLine(line).has_value();
        };
        const std::string_view all(bytes);
        for (std::size_t pos = 0; pos < all.size();) {
            const std::size_t end = engine::findLineEnd(all, pos);
            onLine(all.substr(pos, end - pos));
            pos = end + (end + 1 < all.size() && all[end] == '\r' && all[end + 1] == '\n' ? 2 : 1);
        }
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%s%s: %.1f MB, %llu lines, %llu events: %.3f s (%.0f MB/s, %.1f s per GB)\n", argv[1],
                    plain ? " (reference)" : "", static_cast<double>(bytes.size()) / 1e6,
                    static_cast<unsigned long long>(lines), static_cast<unsigned long long>(events), s,
                    static_cast<double>(bytes.size()) / 1e6 / s, s * 1e9 / static_cast<double>(bytes.size()));
    }
    return 0;
}
