#include "engine/log_file.hpp"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <system_error>

namespace fragtide::engine {

std::FILE* openBinaryFile(const std::filesystem::path& path, bool forWriting) {
#ifdef _WIN32
    // The wide name: the narrow one would go through the ANSI code page and lose characters.
    return _wfopen(path.c_str(), forWriting ? L"wb" : L"rb");
#else
    return std::fopen(path.c_str(), forWriting ? "wb" : "rb");
#endif
}

std::filesystem::path pathFromText(std::string_view utf8) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#else
    return std::filesystem::path(std::string(utf8));
#endif
}

std::string shownPath(const std::filesystem::path& path) {
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

namespace {

Error errorFromCode(std::string_view verb, const std::filesystem::path& path, std::error_code ec) {
    ErrorKind kind = ErrorKind::Io;
    std::string reason;
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory) {
        kind = ErrorKind::NotFound;
        reason = "no such file";
    } else if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted) {
        kind = ErrorKind::PermissionDenied;
        reason = "permission denied";
    } else if (ec == std::errc::is_a_directory) {
        kind = ErrorKind::NotAFile;
        reason = "it is a folder, not a file";
    } else {
        reason = ec.message();
        if (!reason.empty())
            reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    }
    return {kind, "cannot " + std::string(verb) + " '" + shownPath(path) + "': " + reason};
}

Error notAFile(std::string_view verb, const std::filesystem::path& path) {
    return {ErrorKind::NotAFile,
            "cannot " + std::string(verb) + " '" + shownPath(path) + "': it is a folder, not a file"};
}

}  // namespace

Error fileError(std::string_view verb, const std::filesystem::path& path, int errnoValue) {
    return errorFromCode(verb, path, std::error_code(errnoValue, std::generic_category()));
}

Error fileError(std::string_view verb, const std::filesystem::path& path, std::error_code ec) {
    return errorFromCode(verb, path, ec);
}

Result<std::uint64_t> fileSize(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec)
        return errorFromCode("read", path, ec);
    if (std::filesystem::is_directory(status))
        return notAFile("read", path);
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return errorFromCode("read", path, ec);
    return static_cast<std::uint64_t>(size);
}

Result<LogFile> LogFile::open(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return notAFile("read", path);
    errno = 0;
    std::FILE* f = openBinaryFile(path, false);
    if (!f)
        return fileError("read", path, errno ? errno : EIO);
#if defined(POSIX_FADV_SEQUENTIAL)
    // Logs are read once, front to back: let the system read further ahead. Only a hint, so a
    // failure changes nothing.
    (void)posix_fadvise(fileno(f), 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    const auto size = std::filesystem::file_size(path, ec);
    return LogFile(std::unique_ptr<std::FILE, Closer>(f), path, ec ? 0 : static_cast<std::uint64_t>(size));
}

Result<std::string_view> LogFile::readBlock(std::vector<char>& buffer, std::size_t size) {
    buffer.resize(size);
    const auto got = readInto(buffer.data(), size);
    if (!got)
        return got.error();
    buffer.resize(*got);
    return std::string_view(buffer.data(), *got);
}

// read(), not copying out of a mapping of the file: the mapping's fresh pages each cost a page
// fault and a TLB miss, where read() copies through the kernel's own large pages.
Result<std::size_t> LogFile::readInto(char* dst, std::size_t size) {
    errno = 0;
    const std::size_t got = std::fread(dst, 1, size, m_file.get());
    if (got < size && std::ferror(m_file.get()))
        return fileError("read", m_path, errno ? errno : EIO);
    if (got < size) {
        if (const Status whole = checkNotShorter(); !whole)
            return whole.error();
    }
    return got;
}

Status LogFile::checkNotShorter() {
#ifdef _WIN32
    const long long at = _ftelli64(m_file.get());
#else
    const off_t at = ftello(m_file.get());
#endif
    if (at >= 0 && static_cast<std::uint64_t>(at) < m_sizeAtOpen)
        return Error{ErrorKind::Io, "cannot read '" + shownPath(m_path) +
                                        "': the file became shorter while it was read; try again when nothing is "
                                        "writing to it"};
    return Ok{};
}

Status LogFile::rewind() {
    errno = 0;
    if (std::fseek(m_file.get(), 0, SEEK_SET) != 0)
        return fileError("read", m_path, errno ? errno : EIO);
    std::clearerr(m_file.get());
    return Ok{};
}

Status LogFile::seek(std::uint64_t offset) {
    errno = 0;
#ifdef _WIN32
    const int failed = _fseeki64(m_file.get(), static_cast<long long>(offset), SEEK_SET);
#else
    const int failed = fseeko(m_file.get(), static_cast<off_t>(offset), SEEK_SET);
#endif
    if (failed != 0)
        return fileError("read", m_path, errno ? errno : EIO);
    std::clearerr(m_file.get());
    return Ok{};
}

}  // namespace fragtide::engine
