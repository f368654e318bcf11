#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "common/result.hpp"
#include "season/season.hpp"
#include "season/season_view.hpp"

// The seasons the window opens, behind an interface: the program reaches the season files
// (season/season.hpp), the controller's tests a season of plain values. Used on the window's
// thread only.
namespace fragtide::ui {

// One open season.
class OpenSeason {
public:
    virtual ~OpenSeason() = default;
    virtual const std::filesystem::path& path() const = 0;
    // As season::Season::add: `options.progress` is called on this thread while the logs are read.
    virtual Result<season::AddSummary> add(const std::vector<std::filesystem::path>& logs,
                                           const season::AddOptions& options) = 0;
    // The whole season, as season::Season::view gives it.
    virtual Result<season::SeasonView> view() const = 0;
};

class SeasonAccess {
public:
    virtual ~SeasonAccess() = default;
    // The season at `path`: an existing one, or with `create` an empty one made there when no file
    // exists. The messages are the season library's ("... is not a season ...").
    virtual Result<std::unique_ptr<OpenSeason>> open(const std::filesystem::path& path, bool create) = 0;
};

// The season files of season/season.hpp.
std::unique_ptr<SeasonAccess> seasonFiles();

}  // namespace fragtide::ui
