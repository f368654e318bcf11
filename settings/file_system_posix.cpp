#include "settings/file_system.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "settings/file_system_detail.hpp"

// NativeFileSystem on POSIX systems.
namespace fragtide::settings {
namespace {

using detail::failure;
using detail::shown;

std::error_code lastError() { return {errno, std::generic_category()}; }

}  // namespace

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

}  // namespace fragtide::settings
