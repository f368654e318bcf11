#include "settings/reg_file_backend.hpp"

#include <cstdlib>

#include "settings/reg_file_document.hpp"

namespace fragtide::settings {
namespace {

// Far beyond any settings file we write; keeps a stray huge file at that path out of memory.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

std::string sectionName(RootKey root, std::string_view keyPath) {
    std::string section(rootName(root));
    if (!keyPath.empty())
        section += "\\" + std::string(keyPath);
    return section;
}

// A line break or NUL in a name would split or end the line it is written on.
bool fitsOnOneLine(std::string_view name) {
    return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::filesystem::path withSuffix(const std::filesystem::path& file, const char* suffix) {
    std::filesystem::path p = file;
    p += suffix;
    return p;
}

}  // namespace

RegFileBackend::RegFileBackend(std::filesystem::path folder, std::shared_ptr<NativeFileSystem> files)
    : m_folder(std::move(folder)), m_files(std::move(files)) {}

std::filesystem::path RegFileBackend::fileFor(RootKey root) const {
    const std::string_view name = rootName(root);
    if (name.empty())
        return {};
    return m_folder / (std::string(name) + ".reg");
}

StoreResult<StoredValue> RegFileBackend::queryValue(RootKey root, std::string_view keyPath,
                                                    std::string_view valueName, std::size_t maxBytes) {
    const std::filesystem::path file = fileFor(root);
    if (file.empty() || m_folder.empty())
        return StoreError{StoreErrorKind::NotFound, "no settings file for this root key"};
    auto bytes = m_files->readFile(file, kMaxFileBytes);
    if (!bytes)
        return bytes.error();
    auto value = RegFileDocument::parse(*bytes).find(sectionName(root, keyPath), valueName);
    if (value && value->data.size() > maxBytes)
        return StoreError{StoreErrorKind::TooLarge, "value '" + std::string(valueName) + "' is too large"};
    return value;
}

StoreStatus RegFileBackend::setValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                                     const StoredValue& value) {
    const std::filesystem::path file = fileFor(root);
    if (file.empty() || m_folder.empty())
        return StoreError{StoreErrorKind::InvalidInput, "no settings file for this root key"};
    if (!fitsOnOneLine(keyPath) || !fitsOnOneLine(valueName))
        return StoreError{StoreErrorKind::InvalidInput, "a key or value name with a line break cannot be stored"};

    if (auto made = m_files->createFolder(m_folder); !made)
        return made.error();
    auto held = m_files->lock(withSuffix(file, ".lock"));
    if (!held)
        return held.error();

    // Read under the lock, so a concurrent saver's change is in what we write back.
    std::string old;
    if (auto bytes = m_files->readFile(file, kMaxFileBytes)) {
        old = std::move(*bytes);
    } else if (bytes.error().kind != StoreErrorKind::NotFound) {
        return StoreError{StoreErrorKind::WriteFailed, bytes.error().message + "; left as it is"};
    }
    RegFileDocument doc = RegFileDocument::parse(old);
    doc.set(sectionName(root, keyPath), valueName, value);

    const std::filesystem::path temp = withSuffix(file, ".tmp");
    if (auto written = m_files->writeFileDurably(temp, doc.serialize()); !written) {
        m_files->removeFile(temp);
        return written.error();
    }
    if (auto replaced = m_files->replaceFile(temp, file); !replaced) {
        m_files->removeFile(temp);
        return replaced.error();
    }
    return StoreOk{};
}

std::filesystem::path settingsFolder(const char* settingsDir, const char* xdgConfigHome, const char* home) {
    auto set = [](const char* v) { return v != nullptr && *v != '\0'; };
    if (set(settingsDir))
        return settingsDir;
    if (set(xdgConfigHome) && std::filesystem::path(xdgConfigHome).is_absolute())
        return std::filesystem::path(xdgConfigHome) / "fragtide";
    if (set(home))
        return std::filesystem::path(home) / ".config" / "fragtide";
    return {};
}

std::filesystem::path defaultSettingsFolder() {
    return settingsFolder(std::getenv("FRAGTIDE_SETTINGS_DIR"), std::getenv("XDG_CONFIG_HOME"),
                          std::getenv("HOME"));
}

}  // namespace fragtide::settings
