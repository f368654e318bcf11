#include "season/sqlite_db.hpp"

#include <utility>

#include <sqlite3.h>

#include "engine/log_file.hpp"

namespace fragtide::season {

Result<Database> Database::open(const std::filesystem::path& path, bool create) {
    sqlite3* db = nullptr;
    const std::string name = engine::shownPath(path);  // SQLite takes UTF-8 names on every system
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        Error error{ErrorKind::Io, "cannot open the season '" + name + "': " +
                                       (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc))};
        sqlite3_close(db);
        return error;
    }
    sqlite3_extended_result_codes(db, 1);
    return Database(db, path);
}

Database::Database(Database&& other) noexcept : m_db(other.m_db), m_path(std::move(other.m_path)) {
    other.m_db = nullptr;
}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        sqlite3_close(m_db);
        m_db = other.m_db;
        m_path = std::move(other.m_path);
        other.m_db = nullptr;
    }
    return *this;
}

Database::~Database() { sqlite3_close(m_db); }

Error Database::error(int rc) const {
    const std::string name = engine::shownPath(m_path);
    const int primary = rc & 0xff;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        return {ErrorKind::Io, "the season '" + name + "' is busy: another program is adding to it; try again when it is done"};
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT)
        return {ErrorKind::InvalidInput, "'" + name + "' is not a season, or it is damaged"};
    if (primary == SQLITE_FULL)
        return {ErrorKind::Io, "cannot write the season '" + name + "': the disk is full"};
    if (primary == SQLITE_READONLY || primary == SQLITE_PERM || primary == SQLITE_CANTOPEN)
        return {ErrorKind::PermissionDenied, "cannot write the season '" + name + "': " + sqlite3_errmsg(m_db)};
    return {ErrorKind::Io, "the season '" + name + "': " + sqlite3_errmsg(m_db)};
}

Status Database::exec(std::string_view sql) {
    const std::string text(sql);
    const int rc = sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return error(rc);
    return Ok{};
}

Result<Statement> Database::prepare(std::string_view sql) {
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK)
        return error(rc);
    return Statement(stmt, this);
}

Result<std::int64_t> Database::queryInt(std::string_view sql) {
    auto stmt = prepare(sql);
    if (!stmt)
        return stmt.error();
    const auto row = stmt->step();
    if (!row)
        return row.error();
    return *row ? stmt->integer(0) : 0;
}

std::int64_t Database::lastInsertId() const { return sqlite3_last_insert_rowid(m_db); }

std::int64_t Database::changes() const { return sqlite3_changes64(m_db); }

Result<Blob> Database::openBlob(const char* table, const char* column, std::int64_t row, bool writable) {
    sqlite3_blob* blob = nullptr;
    const int rc = sqlite3_blob_open(m_db, "main", table, column, row, writable ? 1 : 0, &blob);
    if (rc != SQLITE_OK) {
        sqlite3_blob_close(blob);
        return error(rc);
    }
    return Blob(*this, blob);
}

Blob::Blob(Blob&& other) noexcept : m_db(other.m_db), m_blob(std::exchange(other.m_blob, nullptr)) {}

Blob& Blob::operator=(Blob&& other) noexcept {
    if (this != &other) {
        sqlite3_blob_close(m_blob);
        m_db = other.m_db;
        m_blob = std::exchange(other.m_blob, nullptr);
    }
    return *this;
}

Blob::~Blob() { sqlite3_blob_close(m_blob); }

Status Blob::write(std::uint64_t offset, std::string_view bytes) {
    if (bytes.empty())
        return Ok{};
    // Offsets are ints: SQLite's BLOBs stay below 2 GiB.
    const int rc = sqlite3_blob_write(m_blob, bytes.data(), static_cast<int>(bytes.size()), static_cast<int>(offset));
    if (rc != SQLITE_OK)
        return m_db->error(rc);
    return Ok{};
}

Result<std::string> Blob::read(std::uint64_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    const int rc = sqlite3_blob_read(m_blob, bytes.data(), static_cast<int>(size), static_cast<int>(offset));
    if (rc != SQLITE_OK)
        return m_db->error(rc);
    return bytes;
}

void Database::setBusyTimeout(std::chrono::milliseconds timeout) {
    sqlite3_busy_timeout(m_db, static_cast<int>(timeout.count()));
}

Statement::Statement(Statement&& other) noexcept : m_stmt(other.m_stmt), m_db(other.m_db) { other.m_stmt = nullptr; }

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_stmt = other.m_stmt;
        m_db = other.m_db;
        other.m_stmt = nullptr;
    }
    return *this;
}

Statement::~Statement() { sqlite3_finalize(m_stmt); }

Statement& Statement::bind(int at, std::int64_t value) {
    sqlite3_bind_int64(m_stmt, at, value);
    return *this;
}

Statement& Statement::bind(int at, double value) {
    sqlite3_bind_double(m_stmt, at, value);
    return *this;
}

Statement& Statement::bindBlob(int at, std::string_view bytes) {
    // A zero-length blob, not NULL: an empty name or an empty event list is still a value.
    sqlite3_bind_blob64(m_stmt, at, bytes.empty() ? "" : bytes.data(), bytes.size(), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindBlobInPlace(int at, std::string_view bytes) {
    sqlite3_bind_blob64(m_stmt, at, bytes.empty() ? "" : bytes.data(), bytes.size(), SQLITE_STATIC);
    return *this;
}

Statement& Statement::bindText(int at, std::string_view text) {
    sqlite3_bind_text64(m_stmt, at, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    return *this;
}

Statement& Statement::bindZeroBlob(int at, std::uint64_t size) {
    sqlite3_bind_zeroblob64(m_stmt, at, size);
    return *this;
}

Result<bool> Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    return m_db->error(rc);
}

Status Statement::run() {
    for (;;) {
        const auto row = step();
        if (!row)
            return row.error();
        if (!*row)
            break;
    }
    reset();
    return Ok{};
}

void Statement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(m_stmt, column); }

double Statement::real(int column) const { return sqlite3_column_double(m_stmt, column); }

std::string_view Statement::bytes(int column) const {
    const void* data = sqlite3_column_blob(m_stmt, column);
    const int size = sqlite3_column_bytes(m_stmt, column);
    return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size)) : std::string_view();
}

bool Statement::isNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }

}  // namespace fragtide::season
