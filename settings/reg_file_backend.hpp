#pragma once

#include <filesystem>
#include <memory>

#include "settings/file_system.hpp"
#include "settings/settings_backend.hpp"

// Settings kept in registry export files, one per root key, in one folder:
// <folder>/HKEY_LOCAL_MACHINE.reg and so on (format: reg_file_document.hpp).
//
// A save rewrites the whole file without ever leaving a broken one: it takes <file>.lock, reads
// the current file, changes one value line, writes <file>.tmp, flushes it and renames it over the
// file. Two savers, in threads or processes, take turns, and both changes survive. A file that
// exists but cannot be read is never overwritten. Reads take no lock: the rename shows them the
// old file or the new one. Safe to share between threads.
namespace fragtide::settings {

class RegFileBackend final : public SettingsBackend {
public:
    // `files` is the file-system seam, shared with the caller; tests pass one that fails on cue.
    explicit RegFileBackend(std::filesystem::path folder,
                            std::shared_ptr<NativeFileSystem> files = std::make_shared<NativeFileSystem>());

    StoreResult<StoredValue> queryValue(RootKey root, std::string_view keyPath,
                                        std::string_view valueName, std::size_t maxBytes) override;
    StoreStatus setValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                         const StoredValue& value) override;

    // The file that holds `root`'s keys, or empty for a handle that is no root.
    std::filesystem::path fileFor(RootKey root) const;

private:
    std::filesystem::path m_folder;
    std::shared_ptr<NativeFileSystem> m_files;
};

// Where the settings file lives. The first that is set and not empty wins:
// `settingsDir` (FRAGTIDE_SETTINGS_DIR) as it is; `xdgConfigHome` (XDG_CONFIG_HOME, absolute
// only, as the XDG rules say) + "/fragtide"; `home` (HOME) + "/.config/fragtide". Empty when
// none is.
std::filesystem::path settingsFolder(const char* settingsDir, const char* xdgConfigHome, const char* home);

// settingsFolder() of this process's environment.
std::filesystem::path defaultSettingsFolder();

}  // namespace fragtide::settings
