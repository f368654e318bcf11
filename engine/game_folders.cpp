#include "engine/game_folders.hpp"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <system_error>

#include "engine/game_catalogue.hpp"
#include "engine/game_file.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fragtide::engine {
namespace {

std::filesystem::path fromEnvironment(const char* name) {
#ifdef _WIN32
    // The wide variable: a user name outside the ANSI code page must still find its folder.
    std::wstring wide(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wide.c_str());
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
#else
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
#endif
}

}  // namespace

std::filesystem::path userGamesFolder() {
#ifdef _WIN32
    const auto appData = fromEnvironment("APPDATA");
    return appData.empty() ? appData : appData / "Fragtide" / "games";
#else
    if (const auto config = fromEnvironment("XDG_CONFIG_HOME"); !config.empty())
        return config / "fragtide" / "games";
    const auto home = fromEnvironment("HOME");
    return home.empty() ? home : home / ".config" / "fragtide" / "games";
#endif
}

std::filesystem::path shippedGamesFolder() {
    std::error_code ec;
#ifdef _WIN32
    std::wstring buffer(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size())
        return {};
    buffer.resize(n);
    const std::filesystem::path program(buffer);
#else
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
#endif
    // Installed elsewhere than Windows, the shipped files are in ../share/fragtide/games.
    const auto beside = program.parent_path() / "games";
#ifndef _WIN32
    const auto shared = program.parent_path().parent_path() / "share" / "fragtide" / "games";
    if (!std::filesystem::is_directory(beside, ec) && std::filesystem::is_directory(shared, ec))
        return shared;
#endif
    return beside;
}

std::vector<std::filesystem::path> standardGameFolders() {
    std::vector<std::filesystem::path> folders;
    for (auto folder : {userGamesFolder(), shippedGamesFolder()}) {
        if (!folder.empty())
            folders.push_back(std::move(folder));
    }
    return folders;
}

std::vector<std::string> loadGameFolders(std::span<const std::filesystem::path> folders) {
    std::vector<std::string> refusals;
    std::vector<std::shared_ptr<const FileGame>> games;
    for (const auto& folder : folders) {
        std::error_code ec;
        if (!std::filesystem::is_directory(folder, ec))
            continue;
        std::vector<std::filesystem::path> files;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            if (it->path().extension() == ".toml" && !it->is_directory(ec))
                files.push_back(it->path());
        }
        if (ec)
            refusals.push_back("cannot list the games folder '" + folder.generic_string() + "': " + ec.message());
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            auto game = readGameFile(file);
            if (game)
                games.push_back(std::move(*game));
            else
                refusals.push_back(game.error().message);
        }
    }
    auto clashes = installFileGames(games);
    refusals.insert(refusals.end(), clashes.begin(), clashes.end());
    return refusals;
}

}  // namespace fragtide::engine
