#include "settings/file_system.hpp"

#include <utility>

#include "settings/file_system_detail.hpp"

// The parts of NativeFileSystem that the standard library makes portable; the rest is in
// file_system_posix.cpp or file_system_windows.cpp, whichever the build selects.
namespace fragtide::settings {

namespace detail {

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

}  // namespace detail

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    std::swap(m_handle, other.m_handle);
    return *this;
}

StoreStatus NativeFileSystem::createFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        return detail::failure(StoreErrorKind::WriteFailed, "cannot create the folder", folder, ec);
    return StoreOk{};
}

void NativeFileSystem::removeFile(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::remove(file, ec);
}

}  // namespace fragtide::settings
