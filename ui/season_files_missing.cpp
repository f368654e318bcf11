#include "ui/season_access.hpp"

// A build without the season library: every season is refused with a message that says why.
namespace fragtide::ui {
namespace {

class NoSeasons final : public SeasonAccess {
public:
    Result<std::unique_ptr<OpenSeason>> open(const std::filesystem::path&, bool) override {
        return Error{ErrorKind::InvalidInput, "this build of Fragtide cannot open seasons"};
    }
};

}  // namespace

std::unique_ptr<SeasonAccess> seasonFiles() {
    return std::make_unique<NoSeasons>();
}

}  // namespace fragtide::ui
