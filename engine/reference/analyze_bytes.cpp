#include "engine/reference/analyze_bytes.hpp"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace fragtide::engine::reference {

Result<std::uint64_t> analyzeBytes(StatsStore& store, std::string_view bytes, const AnalysisOptions& options) {
    // A fresh name per call: tests of one program may run side by side.
    std::random_device seed;
    const auto file = std::filesystem::temp_directory_path() /
                      ("fragtide-bytes-" + std::to_string(seed()) + std::to_string(seed()) + ".log");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            return Error{ErrorKind::Io, "cannot write the temporary log '" + file.string() + "'"};
    }
    auto lines = analyzeFile(store, file, {}, options);
    std::error_code ec;
    std::filesystem::remove(file, ec);
    return lines;
}

}  // namespace fragtide::engine::reference
