#include <algorithm>
#include <new>

#include "engine/game_catalogue.hpp"
#include "engine/log_analysis.hpp"
#include "engine/log_file.hpp"
#include "engine/stats_store.hpp"
#include "season/civil_time.hpp"
#include "season/event_codec.hpp"
#include "season/match_marks.hpp"
#include "season/match_writer.hpp"
#include "season/season_adder.hpp"

namespace fragtide::season {
namespace {

using engine::KillEventKind;

// Bytes [begin, end) of an open log, as one stream for the analysis.
class RangeStream final : public engine::LogStream {
public:
    RangeStream(engine::LogFile& file, const std::filesystem::path& path, std::uint64_t bytes, std::uint64_t linesBefore)
        : m_file(file), m_path(path), m_left(bytes), m_linesBefore(linesBefore) {}
    Result<std::size_t> readInto(char* dst, std::size_t size) override {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(size, m_left));
        if (want == 0)
            return std::size_t{0};
        auto got = m_file.readInto(dst, want);
        if (got)
            m_left -= *got;
        return got;
    }
    Error lineTooLong(std::uint64_t line, std::size_t limit) const override {
        return engine::lineTooLong(m_path, m_linesBefore + line, limit);
    }
    Error outOfMemory() const override { return engine::outOfMemory(m_path); }
    Error tooManyNames() const override { return engine::tooManyNames(m_path); }

private:
    engine::LogFile& m_file;
    const std::filesystem::path& m_path;
    std::uint64_t m_left;
    std::uint64_t m_linesBefore;
};

// The Quake III teams as 256 bytes, one per client number; "" is no team known.
std::string teamsBytes(const engine::ClientTeams& teams) {
    std::string bytes(256, '\0');
    for (int slot = 0; slot < 256; ++slot)
        bytes[static_cast<std::size_t>(slot)] = static_cast<char>(teams.teamOfSlot(slot));
    return bytes;
}

void restoreTeams(engine::ClientTeams& teams, std::string_view bytes) {
    teams.clear();
    std::string digits;
    for (std::size_t slot = 0; slot < bytes.size() && slot < 256; ++slot) {
        const auto team = static_cast<engine::ClientTeams::Team>(bytes[slot]);
        if (team == engine::ClientTeams::Team::Unsaid || static_cast<unsigned char>(bytes[slot]) > 3)
            continue;
        digits = slot == 0 ? std::string() : std::to_string(slot);
        teams.set(engine::Quake3Client{false, digits, static_cast<int>(slot)}, team);
    }
}

// Pieces up to this size are analysed on the calling thread; larger ones by the threaded reader.
constexpr std::uint64_t kSmallPiece = std::uint64_t{1} << 20;

// Events kept room for between batches: a batch's worth; a larger vector is let go.
constexpr std::size_t kHeldEvents = std::size_t{1} << 20;

// A stretch of the bytes read, all of one match: its body, or the file's last line.
struct Piece {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
    std::size_t match = 0;
    bool tail = false;
};

// Where the file's last line starts, at `from` or after: the end is read in growing windows,
// since a last line may be long.
Result<std::uint64_t> lastLineFrom(const std::filesystem::path& path, std::uint64_t from, std::uint64_t size) {
    for (std::uint64_t window = std::uint64_t{64} << 10;; window *= 16) {
        const std::uint64_t span = std::min(window, size - from);
        auto end = readRange(path, size - span, span);
        if (!end)
            return end.error();
        if (end->size() != span)
            return Error{ErrorKind::Io, "cannot read '" + engine::shownPath(path) + "': it was cut short while it was read"};
        if (const auto at = lastLineStart(*end, size))
            return std::max(*at, from);
        if (span == size - from)
            return from;
    }
}

}  // namespace

Result<bool> SeasonAdder::analyse(const std::filesystem::path& path, const std::optional<FileRow>& grown,
                                  std::int64_t fileId, std::uint64_t size, std::string_view head) {
    const auto logFailed = [&](Error error) -> Result<bool> {
        m_summary.failures.push_back(std::move(error));
        return false;
    };
    const std::uint64_t from = grown ? grown->readOffset : 0;
    const auto lastStart = lastLineFrom(path, from, size);
    if (!lastStart)
        return logFailed(lastStart.error());
    auto starts = scanMapStarts(path, m_marks, from, size);
    if (!starts)
        return logFailed(starts.error());
    const CivilSeconds mtime = modificationTime(path);

    // The match in progress: the file's last one when it grew, else the bytes before the first map.
    std::vector<PendingMatch> matches(1);
    matches[0].startOffset = from;
    matches[0].start = mtime;
    if (grown) {
        auto last = m_db.prepare("SELECT id, seq, start_offset, start, stamped, start_kind, map, length(events) "
                                 "FROM matches WHERE file = ? ORDER BY seq DESC LIMIT 1");
        if (!last)
            return last.error();
        last->bind(1, fileId);
        auto row = last->step();
        if (!row)
            return row.error();
        if (*row) {
            PendingMatch& m = matches[0];
            m.rowId = last->integer(0);
            m.seq = last->integer(1);
            m.startOffset = static_cast<std::uint64_t>(last->integer(2));
            m.stamped = last->integer(4) != 0;
            m.start = m.stamped ? last->integer(3) : mtime;
            m.kind = static_cast<StartKind>(last->integer(5));
            m.map = std::string(last->bytes(6));
            m.storedEvents = static_cast<std::uint64_t>(last->integer(7));
        }
    } else if (m_marks == MatchMarks::HalfLife) {
        const std::string_view first = head.substr(0, head.find_first_of("\r\n"));
        if (const auto stamp = lineStamp(first)) {
            matches[0].start = *stamp;
            matches[0].stamped = true;
        }
    }
    for (MapStart& ms : *starts) {
        const PendingMatch& current = matches.back();
        if (ms.offset == current.startOffset && current.kind != StartKind::None)
            continue;  // the map line of the match in progress, read again with its last line
        if (ms.kind == StartKind::Started && current.kind == StartKind::Loading && current.map == ms.map)
            continue;  // one map's Loading and Started lines start one match
        PendingMatch next;
        next.startOffset = ms.offset;
        next.stamped = ms.stamp.has_value();
        next.start = ms.stamp.value_or(mtime);
        next.kind = ms.kind;
        next.map = std::move(ms.map);
        // Bytes before a file's first map that are no bytes at all make no match.
        if (current.rowId == 0 && current.kind == StartKind::None && current.startOffset == ms.offset) {
            next.seq = current.seq;
            matches.back() = std::move(next);
        } else {
            next.seq = current.seq + 1;
            matches.push_back(std::move(next));
        }
    }
    if (size == from && matches.back().rowId == 0)
        matches.clear();  // an empty file: no match yet

    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < matches.size(); ++i) {
        const std::uint64_t begin = std::max(matches[i].startOffset, from);
        const std::uint64_t end = i + 1 < matches.size() ? matches[i + 1].startOffset : size;
        if (i + 1 == matches.size()) {
            pieces.push_back({begin, *lastStart, i, false});
            pieces.push_back({*lastStart, end, i, true});
        } else {
            pieces.push_back({begin, end, i, false});
        }
    }

    auto store = std::make_unique<engine::StatsStore>();
    store->CurrentGame = m_game;
    engine::LoadWeaponNames(*store);
    store->KeepEvents = true;
    if (grown) {
        restoreTeams(store->Teams, grown->teamsAtRead);
    } else {
        // A Quake III log's teams run on from the file added before it, as in one long log.
        auto before = m_db.prepare("SELECT teams_at_end FROM files WHERE added < (SELECT added FROM files WHERE id = ?) "
                                   "ORDER BY added DESC LIMIT 1");
        if (!before)
            return before.error();
        before->bind(1, fileId);
        auto row = before->step();
        if (!row)
            return row.error();
        if (*row)
            restoreTeams(store->Teams, before->bytes(0));
    }
    auto file = engine::LogFile::open(path);
    if (!file)
        return logFailed(file.error());
    if (from > 0) {
        if (Status sought = file->seek(from); !sought)
            return logFailed(sought.error());
    }
    std::uint64_t linesBefore = grown ? grown->linesBefore : 0;
    std::uint64_t tailLines = 0;
    std::string teamsAtRead = teamsBytes(store->Teams);
    MatchWriter writer(m_db, m_numbers, *store, fileId, m_options.spillBytes);
    Status written = Ok{};  // the first failure to write events, which ends the file's add
    // The events so far go to their match after every batch: they are never all held at once.
    const auto drain = [&](bool tail) {
        try {
            if (written)
                written = writer.take(store->Events, tail);
        } catch (const std::bad_alloc&) {
            written = engine::tooManyNames(path);
        }
        store->Events.clear();
        if (store->Events.capacity() > kHeldEvents)
            engine::KillEvents().swap(store->Events);
    };
    std::string small;
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        const Piece& piece = pieces[p];
        if (p == 0 || pieces[p - 1].match != piece.match) {
            if (Status begun = writer.begin(matches[piece.match]); !begun)
                return begun.error();
        }
        if (piece.tail)
            teamsAtRead = teamsBytes(store->Teams);
        const std::uint64_t bytes = piece.end - piece.begin;
        if (bytes > 0 && bytes <= kSmallPiece) {
            // Most matches are small: read them on this thread, sparing a pool of threads each.
            small.resize(static_cast<std::size_t>(bytes));
            std::size_t have = 0;
            while (have < small.size()) {
                const auto got = file->readInto(small.data() + have, small.size() - have);
                if (!got)
                    return logFailed(got.error());
                if (*got == 0)
                    return logFailed({ErrorKind::Io, "cannot read '" + engine::shownPath(path) +
                                                         "': it was cut short while it was read"});
                have += *got;
            }
            (piece.tail ? tailLines : linesBefore) += m_source->analyzeLines(*store, small);
            if (m_options.progress)
                m_options.progress(m_done + (piece.end - from), m_total, path);
        } else if (bytes > 0) {
            RangeStream stream(*file, path, piece.end - piece.begin, linesBefore + tailLines);
            engine::AnalysisOptions options;
            const std::uint64_t base = m_done + (piece.begin - from);
            options.byteProgress = [&, base](std::uint64_t read) {
                drain(piece.tail);
                if (m_options.progress)
                    m_options.progress(base + read, m_total, path);
            };
            const auto lines = engine::analyzeStream(*m_source, *store, stream, {}, options);
            if (!lines)
                return logFailed(lines.error());
            (piece.tail ? tailLines : linesBefore) += *lines;
        }
        drain(piece.tail);
        if (!written)
            return written.error();
        if (p + 1 == pieces.size() || pieces[p + 1].match != piece.match) {
            if (Status done = writer.finish(); !done)
                return done.error();
        }
    }
    m_done += size - from;
    m_summary.bytesRead += size - from;

    // A log without stamps dates its matches by the file, which changed with what was added. Rows
    // that have the date already are left alone: rewriting one rewrites all its events.
    auto dated = m_db.prepare("UPDATE matches SET start = ? WHERE file = ? AND stamped = 0 AND start != ?");
    if (!dated)
        return dated.error();
    if (Status done = dated->bind(1, mtime).bind(2, fileId).bind(3, mtime).run(); !done)
        return done.error();
    auto files = m_db.prepare("UPDATE files SET size = ?, head_bytes = ?, head_hash = ?, mtime = ?, read_offset = ?, "
                              "lines_before = ?, lines = ?, teams_at_read = ?, teams_at_end = ? WHERE id = ?");
    if (!files)
        return files.error();
    const std::uint64_t headBytes = std::min<std::uint64_t>(std::min(size, kHeadBytes), head.size());
    files->bind(1, static_cast<std::int64_t>(size)).bind(2, static_cast<std::int64_t>(headBytes));
    files->bind(3, hashBytes(head.substr(0, static_cast<std::size_t>(headBytes)))).bind(4, mtime);
    files->bind(5, static_cast<std::int64_t>(*lastStart)).bind(6, static_cast<std::int64_t>(linesBefore));
    files->bind(7, static_cast<std::int64_t>(linesBefore + tailLines)).bindBlob(8, teamsAtRead);
    files->bindBlob(9, teamsBytes(store->Teams)).bind(10, fileId);
    if (Status done = files->run(); !done)
        return done.error();
    return true;
}

}  // namespace fragtide::season
