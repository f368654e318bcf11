#include "settings/file_system.hpp"

#include <algorithm>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace fragtide::settings {
namespace {

std::string shown(const std::filesystem::path& p) {
    try {
        return "'" + p.string() + "'";
    } catch (...) {
        return "the settings file";  // a name the narrow code page cannot spell
    }
}

StoreError failure(StoreErrorKind kind, std::string_view what, const std::filesystem::path& p,
                   const std::error_code& ec) {
    return StoreError{kind, std::string(what) + " " + shown(p) + ": " + ec.message()};
}

#ifdef _WIN32
// Windows will not replace a file, or open one being replaced, while another handle is open on
// it. Readers hold it for a moment only, so try again for up to about two seconds.
template <typename Attempt>
bool retryWhileBusy(Attempt attempt) {
    for (int tries = 0;; ++tries) {
        if (attempt())
            return true;
        const DWORD err = GetLastError();
        if ((err != ERROR_ACCESS_DENIED && err != ERROR_SHARING_VIOLATION) || tries >= 200)
            return false;
        Sleep(10);
    }
}

std::error_code lastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }
#else
std::error_code lastError() { return {errno, std::generic_category()}; }
#endif

}  // namespace

StoreStatus NativeFileSystem::createFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        return failure(StoreErrorKind::WriteFailed, "cannot create the folder", folder, ec);
    return StoreOk{};
}

void NativeFileSystem::removeFile(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::remove(file, ec);
}

#ifdef _WIN32

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    std::swap(m_handle, other.m_handle);
    return *this;
}

FileLock::~FileLock() {
    if (m_handle != -1)
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));  // closing drops the lock
}

StoreResult<std::string> NativeFileSystem::readFile(const std::filesystem::path& file, std::size_t maxBytes) {
    // Share delete, so that a save can rename over the file while it is being read.
    // A folder gives "access denied" too, which no wait will cure.
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return StoreError{StoreErrorKind::Unreadable, shown(file) + " is not a regular file"};
    HANDLE h = INVALID_HANDLE_VALUE;
    retryWhileBusy([&] {
        h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        return h != INVALID_HANDLE_VALUE;
    });
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        const auto kind = (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) ? StoreErrorKind::NotFound
                                                                                       : StoreErrorKind::Unreadable;
        return failure(kind, "cannot read", file, {static_cast<int>(err), std::system_category()});
    }
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(h, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) {
        bytes.append(buffer, got);
        if (bytes.size() > maxBytes)
            break;
    }
    const auto ec = lastError();
    CloseHandle(h);
    if (!ok)
        return failure(StoreErrorKind::Unreadable, "cannot read", file, ec);
    if (bytes.size() > maxBytes)
        return StoreError{StoreErrorKind::Unreadable, shown(file) + " is too large for a settings file"};
    return bytes;
}

StoreStatus NativeFileSystem::writeFileDurably(const std::filesystem::path& file, std::string_view bytes) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return failure(StoreErrorKind::WriteFailed, "cannot create", file, lastError());
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        DWORD wrote = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        ok = WriteFile(h, bytes.data() + done, chunk, &wrote, nullptr) != 0;
        done += wrote;
    }
    ok = ok && FlushFileBuffers(h) != 0;
    const auto ec = lastError();
    CloseHandle(h);
    if (!ok)
        return failure(StoreErrorKind::WriteFailed, "cannot write", file, ec);
    return StoreOk{};
}

StoreStatus NativeFileSystem::replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (!retryWhileBusy([&] {
            return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        }))
        return failure(StoreErrorKind::WriteFailed, "cannot replace", to, lastError());
    return StoreOk{};
}

StoreResult<FileLock> NativeFileSystem::lock(const std::filesystem::path& lockFile) {
    HANDLE h = CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return failure(StoreErrorKind::WriteFailed, "cannot open the lock file", lockFile, lastError());
    OVERLAPPED at{};
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at)) {
        const auto ec = lastError();
        CloseHandle(h);
        return failure(StoreErrorKind::WriteFailed, "cannot lock", lockFile, ec);
    }
    return FileLock(reinterpret_cast<std::intptr_t>(h));
}

#else

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    std::swap(m_handle, other.m_handle);
    return *this;
}

FileLock::~FileLock() {
    if (m_handle != -1)
        ::close(static_cast<int>(m_handle));  // closing drops the flock
}

StoreResult<std::string> NativeFileSystem::readFile(const std::filesystem::path& file, std::size_t maxBytes) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const auto ec = lastError();
        const auto kind = (ec.value() == ENOENT || ec.value() == ENOTDIR) ? StoreErrorKind::NotFound
                                                                          : StoreErrorKind::Unreadable;
        return failure(kind, "cannot read", file, ec);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return StoreError{StoreErrorKind::Unreadable, shown(file) + " is not a regular file"};
    }
    std::string bytes;
    char buffer[4096];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const auto ec = lastError();
            ::close(fd);
            return failure(StoreErrorKind::Unreadable, "cannot read", file, ec);
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > maxBytes) {
            ::close(fd);
            return StoreError{StoreErrorKind::Unreadable, shown(file) + " is too large for a settings file"};
        }
    }
    ::close(fd);
    return bytes;
}

StoreStatus NativeFileSystem::writeFileDurably(const std::filesystem::path& file, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return failure(StoreErrorKind::WriteFailed, "cannot create", file, lastError());
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0) {
            const auto ec = lastError();
            ::close(fd);
            return failure(StoreErrorKind::WriteFailed, "cannot write", file, ec);
        }
        done += static_cast<std::size_t>(wrote);
    }
    if (::fsync(fd) != 0) {
        const auto ec = lastError();
        ::close(fd);
        return failure(StoreErrorKind::WriteFailed, "cannot flush", file, ec);
    }
    if (::close(fd) != 0)
        return failure(StoreErrorKind::WriteFailed, "cannot write", file, lastError());
    return StoreOk{};
}

StoreStatus NativeFileSystem::replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        return failure(StoreErrorKind::WriteFailed, "cannot replace", to, lastError());
    // The rename itself lives in the folder; without this a power cut could undo it.
    const std::filesystem::path folder = to.has_parent_path() ? to.parent_path() : ".";
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return StoreOk{};
}

StoreResult<FileLock> NativeFileSystem::lock(const std::filesystem::path& lockFile) {
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return failure(StoreErrorKind::WriteFailed, "cannot open the lock file", lockFile, lastError());
    // flock, not fcntl: its locks belong to the open file, so two threads exclude each other too.
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno == EINTR)
            continue;
        const auto ec = lastError();
        ::close(fd);
        return failure(StoreErrorKind::WriteFailed, "cannot lock", lockFile, ec);
    }
    return FileLock(fd);
}

#endif

}  // namespace fragtide::settings
