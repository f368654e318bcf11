#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/season_access.hpp"

// Seasons without a database, for the tests of the windows that show them.
namespace fragtide::testing {

namespace fs = std::filesystem;

// Seasons held in memory by path. A name with "not-a-season" in it is refused as the library
// refuses a foreign file; `busy` makes the next add fail as a season another process holds.
class FakeSeasons : public ui::SeasonAccess {
public:
    struct State {
        std::unique_ptr<season::SeasonView> view = std::make_unique<season::SeasonView>();
        std::unique_ptr<season::SeasonView> afterAdd;  // what the season holds after the next add
        std::vector<std::vector<fs::path>> adds;
        bool busy = false;
        std::vector<Error> failures;
    };
    std::map<fs::path, State> seasons;

    class Open : public ui::OpenSeason {
    public:
        Open(fs::path path, State& state) : m_path(std::move(path)), m_state(state) {}
        const fs::path& path() const override { return m_path; }
        Result<season::AddSummary> add(const std::vector<fs::path>& logs, const season::AddOptions& options) override {
            m_state.adds.push_back(logs);
            if (m_state.busy)
                return Error{ErrorKind::Io, "the season 'november.fragtide-season' is busy"};
            options.progress(400, 1000, logs.front());
            options.progress(1000, 1000, logs.back());
            if (m_state.afterAdd)
                m_state.view = std::move(m_state.afterAdd);
            season::AddSummary summary;
            summary.added = static_cast<int>(logs.size());
            summary.failures = m_state.failures;
            return summary;
        }
        Result<season::SeasonView> view() const override { return *m_state.view; }

    private:
        fs::path m_path;
        State& m_state;
    };

    Result<std::unique_ptr<ui::OpenSeason>> open(const fs::path& path, bool create) override {
        if (path.string().find("not-a-season") != std::string::npos)
            return Error{ErrorKind::InvalidInput, "'" + path.filename().string() + "' is not a Fragtide season"};
        if (!seasons.count(path) && !create)
            return Error{ErrorKind::NotFound, "cannot open '" + path.filename().string() + "': no such file"};
        return std::unique_ptr<ui::OpenSeason>(std::make_unique<Open>(path, seasons[path]));
    }
};

}  // namespace fragtide::testing
