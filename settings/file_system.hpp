#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "settings/settings_backend.hpp"

// The few file operations the settings file needs, behind virtual functions so that tests can make
// any one of them fail (a full disk, a crash before the rename) without a special file system.
// NativeFileSystem is the real thing: POSIX calls (file_system_posix.cpp), or Win32 calls on
// Windows (file_system_windows.cpp); the build picks one. Stateless and safe to share between
// threads.
namespace fragtide::settings {

// An exclusive lock on a lock file, held until the object dies. Excludes other processes and
// other threads alike; the system drops it if the process dies.
class FileLock {
public:
    FileLock() = default;
    explicit FileLock(std::intptr_t handle) : m_handle(handle) {}
    FileLock(FileLock&& other) noexcept : m_handle(other.m_handle) { other.m_handle = -1; }
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    std::intptr_t m_handle = -1;
};

class NativeFileSystem {
public:
    virtual ~NativeFileSystem() = default;

    // The whole file. NotFound when it does not exist, Unreadable when it cannot be read, is not a
    // regular file, or is longer than `maxBytes`.
    virtual StoreResult<std::string> readFile(const std::filesystem::path& file, std::size_t maxBytes);

    // Creates `folder` and its parents as needed.
    virtual StoreStatus createFolder(const std::filesystem::path& folder);

    // Creates or truncates `file`, writes `bytes` and flushes them to the disk.
    virtual StoreStatus writeFileDurably(const std::filesystem::path& file, std::string_view bytes);

    // Puts `from` in the place of `to` in one step: a reader sees the old file or the new one,
    // never a mix. Both must be in the same folder.
    virtual StoreStatus replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

    // Waits until this caller alone holds the lock on `lockFile`, creating it if needed.
    virtual StoreResult<FileLock> lock(const std::filesystem::path& lockFile);

    // Best effort; for cleaning up a temporary file after a failure.
    virtual void removeFile(const std::filesystem::path& file);
};

}  // namespace fragtide::settings
