#include "settings/file_system.hpp"

#include <algorithm>
#include <system_error>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "settings/file_system_detail.hpp"

// NativeFileSystem on Windows.
namespace fragtide::settings {
namespace {

using detail::failure;
using detail::shown;

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

}  // namespace

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

}  // namespace fragtide::settings
