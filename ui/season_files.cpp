#include "ui/season_access.hpp"

namespace fragtide::ui {
namespace {

class SeasonFile final : public OpenSeason {
public:
    explicit SeasonFile(season::Season season) : m_season(std::move(season)) {}
    const std::filesystem::path& path() const override { return m_season.path(); }
    Result<season::AddSummary> add(const std::vector<std::filesystem::path>& logs,
                                   const season::AddOptions& options) override {
        return m_season.add(logs, options);
    }
    Result<season::SeasonView> view() const override { return m_season.view(); }

private:
    season::Season m_season;
};

class SeasonFiles final : public SeasonAccess {
public:
    Result<std::unique_ptr<OpenSeason>> open(const std::filesystem::path& path, bool create) override {
        auto season = create ? season::Season::openOrCreate(path) : season::Season::open(path);
        if (!season)
            return season.error();
        return std::unique_ptr<OpenSeason>(std::make_unique<SeasonFile>(std::move(*season)));
    }
};

}  // namespace

std::unique_ptr<SeasonAccess> seasonFiles() {
    return std::make_unique<SeasonFiles>();
}

}  // namespace fragtide::ui
