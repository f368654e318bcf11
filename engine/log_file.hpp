#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "common/result.hpp"

// Reading a log file in large blocks, with failures as values that say what and why.
//
// Messages name the file as the user gave it: "cannot read 'ctf.log': permission denied".
// The file is closed when the LogFile is destroyed. Not thread-safe.
namespace fragtide::engine {

inline constexpr std::size_t kLogBlockSize = 1 << 20;

// The size in bytes of a regular file.
Result<std::uint64_t> fileSize(const std::filesystem::path& path);

class LogFile {
public:
    static Result<LogFile> open(const std::filesystem::path& path);

    // Reads the next block of at most `size` bytes into `buffer` (resized to what was read);
    // an empty view at the end.
    Result<std::string_view> readBlock(std::vector<char>& buffer, std::size_t size = kLogBlockSize);
    // Reads up to `size` bytes to `dst`; returns how many (0 at the end of the file).
    Result<std::size_t> readInto(char* dst, std::size_t size);
    // Back to the first byte, for a second pass.
    Status rewind();
    // To byte `offset` from the start, for reading samples of a large file.
    Status seek(std::uint64_t offset);

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    LogFile(std::unique_ptr<std::FILE, Closer> file, std::filesystem::path path, std::uint64_t sizeAtOpen)
        : m_file(std::move(file)), m_path(std::move(path)), m_sizeAtOpen(sizeAtOpen) {}
    Status checkNotShorter();

    std::unique_ptr<std::FILE, Closer> m_file;
    std::filesystem::path m_path;
    // An end of file met before this many bytes means the file was cut short while it was read
    // (log rotation truncating it): an error, not a log that ends early.
    std::uint64_t m_sizeAtOpen = 0;
};

// Opens `path` with the C library, to read or to write (replacing it), in binary mode, by its full
// name on every system. Null on failure, with errno set.
std::FILE* openBinaryFile(const std::filesystem::path& path, bool forWriting);

// The file's name as messages show it (UTF-8 on every system).
std::string shownPath(const std::filesystem::path& path);

// A path from text in UTF-8 (a command-line argument, a stored folder, display text): on Windows
// converted to the system's wide names; elsewhere the bytes as they are, since file names there
// are bytes and converting them would refuse some that exist.
std::filesystem::path pathFromText(std::string_view utf8);

// "cannot <verb> '<file>': <reason>", the reason from errno.
Error fileError(std::string_view verb, const std::filesystem::path& path, int errnoValue);
// The same from a system error code, as std::filesystem reports them.
Error fileError(std::string_view verb, const std::filesystem::path& path, std::error_code ec);

}  // namespace fragtide::engine
