#include "export/atomic_file.hpp"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>

#include "engine/log_file.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fragtide::exports {
namespace {

// A name no other writer picks: the process, a counter and the clock.
std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    const unsigned long process = GetCurrentProcessId();
#else
    const long process = static_cast<long>(getpid());
#endif
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path name = target.filename();
    name += ".tmp-" + std::to_string(process) + "-" + std::to_string(counter++) + "-" +
            std::to_string(static_cast<unsigned long long>(tick) % 1000000);
    return target.parent_path() / name;
}

Error writeError(const std::filesystem::path& target, int errnoValue) {
    return engine::fileError("write", target, errnoValue ? errnoValue : EIO);
}

Status writeAll(const std::filesystem::path& temp, const std::filesystem::path& target, std::string_view bytes) {
    errno = 0;
    std::FILE* f = engine::openBinaryFile(temp, true);
    if (!f)
        return writeError(target, errno);
    const std::size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    int error = written == bytes.size() ? 0 : (errno ? errno : EIO);
    if (!error && std::fflush(f) != 0)
        error = errno ? errno : EIO;
#ifndef _WIN32
    // On disk before the rename, or a crash could leave the new name on an empty file.
    if (!error && fsync(fileno(f)) != 0)
        error = errno ? errno : EIO;
#endif
    if (std::fclose(f) != 0 && !error)
        error = errno ? errno : EIO;
    if (error)
        return writeError(target, error);
    return Ok{};
}

Status replace(const std::filesystem::path& temp, const std::filesystem::path& target) {
#ifdef _WIN32
    // rename() on Windows refuses to replace an existing file.
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = GetLastError();
        return engine::fileError("write", target, std::error_code(static_cast<int>(code), std::system_category()));
    }
#else
    if (std::rename(temp.c_str(), target.c_str()) != 0)
        return writeError(target, errno);
#endif
    return Ok{};
}

}  // namespace

Status writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec))
        return engine::fileError("write", target, EISDIR);
    const std::filesystem::path temp = temporaryBeside(target);
    Status status = writeAll(temp, target, bytes);
    if (status)
        status = replace(temp, target);
    if (!status)
        std::filesystem::remove(temp, ec);  // best effort: the failure reported is the write's
    return status;
}

}  // namespace fragtide::exports
