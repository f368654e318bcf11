#include "cli/stored_game.hpp"

#include "engine/game_catalogue.hpp"

#if FRAGTIDE_HAVE_SETTINGS
#include "settings/game_setting.hpp"
#include "settings/settings_backend.hpp"
#endif

namespace fragtide::cli {

std::string storedGame() {
#if FRAGTIDE_HAVE_SETTINGS
    if (auto backend = settings::makeDefaultBackend())
        return settings::loadSelectedGame(*backend);
#endif
    // Without a settings store the window starts with the default game; so does the command line.
    return std::string(engine::kDefaultGame);
}

}  // namespace fragtide::cli
