#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "common/result.hpp"

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_blob;

// A thin owner of one SQLite connection and its prepared statements, turning SQLite's codes into
// Result values whose messages name the season file. Only season/ uses it. Not thread-safe: one
// connection per thread.
namespace fragtide::season {

class Statement;

class Database {
public:
    // Opens an existing file (`create` false) or creates it. Nothing is written by opening.
    static Result<Database> open(const std::filesystem::path& path, bool create);

    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    ~Database();

    // Runs statements that return no rows.
    Status exec(std::string_view sql);
    Result<Statement> prepare(std::string_view sql);
    // The single integer of a one-row query (0 when it gives no row).
    Result<std::int64_t> queryInt(std::string_view sql);
    std::int64_t lastInsertId() const;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    std::int64_t changes() const;
    // One row's BLOB, to read or overwrite a part at a time (Blob below).
    Result<class Blob> openBlob(const char* table, const char* column, std::int64_t row, bool writable);
    void setBusyTimeout(std::chrono::milliseconds timeout);

    // The error for SQLite's current failure, code `rc`, as a season message.
    Error error(int rc) const;
    const std::filesystem::path& path() const { return m_path; }

private:
    Database(sqlite3* db, std::filesystem::path path) : m_db(db), m_path(std::move(path)) {}
    friend class Statement;
    sqlite3* m_db = nullptr;
    std::filesystem::path m_path;
};

// A BLOB of one row, open for reading or writing parts of it in place (it keeps its size): a large
// one is never held whole as a statement's value. One handle for all the parts: SQLite keeps its
// place in the BLOB's chain of pages, where a handle opened for each part walks the chain from its
// start every time. Must not outlive its Database; invalid once the row changes otherwise.
class Blob {
public:
    Blob(Blob&&) noexcept;
    Blob& operator=(Blob&&) noexcept;
    ~Blob();

    Status write(std::uint64_t offset, std::string_view bytes);
    // `size` bytes from `offset` on.
    Result<std::string> read(std::uint64_t offset, std::size_t size);

private:
    friend class Database;
    Blob(const Database& db, sqlite3_blob* blob) : m_db(&db), m_blob(blob) {}
    const Database* m_db;
    sqlite3_blob* m_blob;
};

// One prepared statement; bind from 1, columns from 0. Must not outlive its Database.
class Statement {
public:
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;
    ~Statement();

    Statement& bind(int at, std::int64_t value);
    Statement& bind(int at, double value);
    // Bytes as a BLOB, copied by SQLite.
    Statement& bindBlob(int at, std::string_view bytes);
    // The same without the copy: the bytes must stay as they are until the statement is reset.
    Statement& bindBlobInPlace(int at, std::string_view bytes);
    Statement& bindText(int at, std::string_view text);
    // A BLOB of `size` zero bytes, for a Blob to fill.
    Statement& bindZeroBlob(int at, std::uint64_t size);
    // Steps once: true with a row, false when done.
    Result<bool> step();
    // Steps to the end, calling onRow() at each row (the columns are this statement's).
    template <typename OnRow>
    Status forEachRow(OnRow&& onRow) {
        for (;;) {
            auto row = step();
            if (!row)
                return row.error();
            if (!*row)
                return Ok{};
            onRow();
        }
    }
    // Steps to the end of a statement that returns no rows, then resets it for the next binding.
    Status run();
    void reset();

    std::int64_t integer(int column) const;
    double real(int column) const;
    // The bytes of a BLOB or TEXT column, valid until the next step or reset.
    std::string_view bytes(int column) const;
    bool isNull(int column) const;

private:
    friend class Database;
    Statement(sqlite3_stmt* stmt, const Database* db) : m_stmt(stmt), m_db(db) {}
    sqlite3_stmt* m_stmt = nullptr;
    const Database* m_db = nullptr;
};

}  // namespace fragtide::season
