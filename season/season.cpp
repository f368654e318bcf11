#include "season/season.hpp"

#include "engine/log_file.hpp"
#include "season/season_impl.hpp"
#include "season/season_schema.hpp"

namespace fragtide::season {
namespace {

// Long enough for a nightly add to wait out a window adding a few logs, short enough that a
// user is told soon that the season is in use.
constexpr std::chrono::milliseconds kBusyTimeout{5000};
std::chrono::milliseconds g_busyTimeout = kBusyTimeout;

}  // namespace

std::string pathKey(const std::filesystem::path& log) {
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(log, ec);
    if (ec)
        full = log;
    return engine::shownPath(full.lexically_normal());
}

Result<std::string> storedGame(Database& db) {
    auto stmt = db.prepare("SELECT value FROM meta WHERE key = 'game'");
    if (!stmt)
        return stmt.error();
    auto row = stmt->step();
    if (!row)
        return row.error();
    return *row ? std::string(stmt->bytes(0)) : std::string();
}

Result<Season> Season::open(const std::filesystem::path& path) {
    auto db = openSeasonFile(path, false, g_busyTimeout);
    if (!db)
        return db.error();
    return Season(std::make_unique<Impl>(Impl{path, std::move(*db), g_busyTimeout}));
}

Result<Season> Season::openOrCreate(const std::filesystem::path& path) {
    auto db = openSeasonFile(path, true, g_busyTimeout);
    if (!db)
        return db.error();
    return Season(std::make_unique<Impl>(Impl{path, std::move(*db), g_busyTimeout}));
}

void Season::setBusyTimeout(std::chrono::milliseconds timeout) { g_busyTimeout = timeout; }

Season::Season(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
Season::Season(Season&&) noexcept = default;
Season& Season::operator=(Season&&) noexcept = default;
Season::~Season() = default;

const std::filesystem::path& Season::path() const { return m_impl->path; }

std::string Season::game() const {
    auto game = storedGame(m_impl->db);
    return game ? *game : std::string();
}

Result<bool> Season::forget(const std::filesystem::path& log) {
    Database& db = m_impl->db;
    if (Status begun = db.exec("BEGIN IMMEDIATE"); !begun)
        return begun.error();
    auto stmt = db.prepare("DELETE FROM files WHERE path = ?");
    if (!stmt) {
        (void)db.exec("ROLLBACK");
        return stmt.error();
    }
    stmt->bindText(1, pathKey(log));
    if (Status done = stmt->run(); !done) {
        (void)db.exec("ROLLBACK");
        return done.error();
    }
    auto changed = db.queryInt("SELECT changes()");
    if (Status committed = db.exec("COMMIT"); !committed) {
        (void)db.exec("ROLLBACK");
        return committed.error();
    }
    return changed && *changed > 0;
}

}  // namespace fragtide::season
