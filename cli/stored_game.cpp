#include "cli/stored_game.hpp"

#include "settings/game_setting.hpp"
#include "settings/settings_backend.hpp"

namespace fragtide::cli {

std::string storedGame() {
    if (auto backend = settings::makeDefaultBackend())
        return settings::loadSelectedGame(*backend);
    // Without a settings store the window starts with the default game; so does the command line.
    return std::string(kDefaultGame);
}

}  // namespace fragtide::cli
