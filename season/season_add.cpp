#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "engine/game_catalogue.hpp"
#include "engine/game_detector.hpp"
#include "engine/kill_source.hpp"
#include "engine/log_analysis.hpp"
#include "engine/log_file.hpp"
#include "engine/log_set.hpp"
#include "engine/stats_store.hpp"
#include "season/civil_time.hpp"
#include "season/event_codec.hpp"
#include "season/match_marks.hpp"
#include "season/season_adder.hpp"
#include "season/season_impl.hpp"

namespace fragtide::season {

std::int64_t hashBytes(std::string_view bytes) {
    // Eight bytes a step: a re-add of a thousand logs hashes 64 MB of heads.
    constexpr std::uint64_t kMultiplier = 0xff51afd7ed558ccdull;
    std::uint64_t h = 0x9e3779b97f4a7c15ull ^ bytes.size();
    const auto mix = [&](std::uint64_t word) {
        h = (h ^ word) * kMultiplier;
        h ^= h >> 32;
    };
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        mix(word);
    }
    std::uint64_t last = 0;
    std::memcpy(&last, bytes.data() + at, bytes.size() - at);
    mix(last);
    return static_cast<std::int64_t>(h);
}

Result<std::string> readRange(const std::filesystem::path& path, std::uint64_t from, std::uint64_t count) {
    auto file = engine::LogFile::open(path);
    if (!file)
        return file.error();
    if (from > 0) {
        if (Status sought = file->seek(from); !sought)
            return sought.error();
    }
    std::string bytes(static_cast<std::size_t>(count), '\0');
    std::size_t have = 0;
    while (have < bytes.size()) {
        const auto got = file->readInto(bytes.data() + have, bytes.size() - have);
        if (!got)
            return got.error();
        if (*got == 0)
            break;
        have += *got;
    }
    bytes.resize(have);
    return bytes;
}

Status SeasonAdder::run(const std::vector<std::filesystem::path>& logs) {
    engine::LogSet set = engine::expandLogPaths(logs);
    m_summary.failures = set.failures;
    // The season's own files may sit in the folder of its logs.
    const std::string self = pathKey(m_seasonPath);
    std::erase_if(set.files, [&](const std::filesystem::path& file) {
        const std::string key = pathKey(file);
        return key == self || key == self + "-wal" || key == self + "-shm" || key == self + "-journal";
    });
    if (Status chosen = chooseGame(set.files); !chosen)
        return chosen;
    auto files = m_db.prepare("SELECT path, size, head_bytes, head_hash FROM files");
    if (!files)
        return files.error();
    const Status read = files->forEachRow([&] {
        FileRow known;
        known.size = static_cast<std::uint64_t>(files->integer(1));
        known.headBytes = static_cast<std::uint64_t>(files->integer(2));
        known.headHash = files->integer(3);
        m_known.emplace(std::string(files->bytes(0)), known);
    });
    if (!read)
        return read.error();
    for (const auto& file : set.files) {
        std::error_code ec;
        m_total += std::filesystem::file_size(file, ec);
    }
    for (const auto& file : set.files) {
        if (Status added = addFile(file); !added)
            return added;
    }
    return Ok{};
}

Status SeasonAdder::chooseGame(const std::vector<std::filesystem::path>& files) {
    auto stored = storedGame(m_db);
    if (!stored)
        return stored.error();
    m_game = *stored;
    m_gameStored = !m_game.empty();
    if (m_game.empty() && !m_options.game.empty())
        m_game = m_options.game;
    if (m_game.empty()) {
        auto detected = engine::detectFirstReadable(files);
        if (!detected)
            return detected.error();
        if (!detected->best)
            return Error{ErrorKind::InvalidInput, "no game finds a kill in the first log, so the season's game is "
                                                  "unknown; name it with --game"};
        m_game = std::string(detected->best->displayName);
    }
    m_gameDef = engine::findGame(m_game);
    if (!m_gameDef)
        return Error{ErrorKind::InvalidInput, "the season's game '" + m_game + "' is none this program knows; "
                                              "load its game file with --games-dir"};
    m_source = engine::makeKillSource(m_gameDef);
    m_marks = matchMarksOf(m_gameDef->kind);
    return Ok{};
}

Status SeasonAdder::addFile(const std::filesystem::path& path) {
    const auto size = engine::fileSize(path);
    if (!size) {
        m_summary.failures.push_back(size.error());
        return Ok{};
    }
    // Most logs of a nightly add are unchanged: tell them by the files read at the start, with no
    // transaction. What changed is looked up again under the write lock below.
    if (const auto known = m_known.find(pathKey(path)); known != m_known.end() && known->second.size == *size) {
        const auto head = readRange(path, 0, known->second.headBytes);
        if (head && head->size() == known->second.headBytes && hashBytes(*head) == known->second.headHash) {
            ++m_summary.unchanged;
            m_done += *size;
            return Ok{};
        }
    }
    if (Status begun = m_db.exec("BEGIN IMMEDIATE"); !begun)
        return begun;
    std::optional<FileRow> known;
    {
        auto find = m_db.prepare("SELECT id, added, size, head_bytes, head_hash, read_offset, lines_before, "
                                 "teams_at_read FROM files WHERE path = ?");
        if (!find)
            return rollbackWith(find.error());
        find->bindText(1, pathKey(path));
        auto row = find->step();
        if (!row)
            return rollbackWith(row.error());
        if (*row) {
            known = FileRow{find->integer(0), find->integer(1), static_cast<std::uint64_t>(find->integer(2)),
                            static_cast<std::uint64_t>(find->integer(3)), find->integer(4),
                            static_cast<std::uint64_t>(find->integer(5)), static_cast<std::uint64_t>(find->integer(6)),
                            std::string(find->bytes(7))};
        }
    }
    const std::uint64_t headBytes = known ? known->headBytes : std::min(*size, kHeadBytes);
    auto head = readRange(path, 0, std::max(headBytes, std::min(*size, kHeadBytes)));
    if (!head) {
        m_summary.failures.push_back(head.error());
        (void)m_db.exec("ROLLBACK");
        return Ok{};
    }
    const bool sameHead = known && head->size() >= headBytes &&
                          hashBytes(std::string_view(*head).substr(0, headBytes)) == known->headHash;
    if (known && sameHead && *size == known->size) {
        ++m_summary.unchanged;
        m_done += *size;
        (void)m_db.exec("ROLLBACK");
        return Ok{};
    }
    const bool grown = known && sameHead && *size > known->size;
    if (!grown && !m_options.forceGame) {
        // Only a new or replaced log is checked: a grown one was accepted before.
        if (auto detection = engine::detectGame(path); detection && detection->best &&
                                                     detection->best != m_gameDef &&
                                                     engine::killsOf(*detection, m_gameDef) <
                                                         engine::killsOf(*detection, detection->best)) {
            m_summary.failures.push_back(
                {ErrorKind::InvalidInput, "'" + engine::shownPath(path) + "' looks like a log of " +
                                              std::string(detection->best->displayName) + ", not of " + m_game +
                                              ", the season's game; to add it all the same, give --game " +
                                              std::string(m_gameDef->alias)});
            m_done += *size;
            (void)m_db.exec("ROLLBACK");
            return Ok{};
        }
    }
    std::int64_t fileId = 0;
    if (known) {
        fileId = known->id;
        if (!grown) {
            auto drop = m_db.prepare("DELETE FROM matches WHERE file = ?");
            if (!drop)
                return rollbackWith(drop.error());
            drop->bind(1, fileId);
            if (Status done = drop->run(); !done)
                return rollbackWith(done.error());
        }
    } else {
        auto insert = m_db.prepare(
            "INSERT INTO files(path, added, size, head_bytes, head_hash, mtime, read_offset, lines_before, lines, "
            "teams_at_read, teams_at_end) VALUES (?, (SELECT IFNULL(MAX(added), 0) + 1 FROM files), 0, 0, 0, 0, 0, "
            "0, 0, x'', x'')");
        if (!insert)
            return rollbackWith(insert.error());
        insert->bindText(1, pathKey(path));
        if (Status done = insert->run(); !done)
            return rollbackWith(done.error());
        fileId = m_db.lastInsertId();
    }
    if (!m_gameStored) {
        auto meta = m_db.prepare("INSERT OR REPLACE INTO meta(key, value) VALUES ('game', ?)");
        if (!meta)
            return rollbackWith(meta.error());
        meta->bindBlob(1, m_game);
        if (Status done = meta->run(); !done)
            return rollbackWith(done.error());
    }
    const Result<bool> analysed = analyse(path, grown ? known : std::nullopt, fileId, *size, *head);
    if (!analysed || !*analysed) {
        (void)m_db.exec("ROLLBACK");
        // A log that cannot be read is named (by analyse) and left as it was; the season's own
        // failures stop the add.
        if (!analysed)
            return analysed.error();
        return Ok{};
    }
    if (Status committed = m_db.exec("COMMIT"); !committed)
        return rollbackWith(committed.error());
    m_gameStored = true;
    if (!known)
        ++m_summary.added;
    else if (grown)
        ++m_summary.grown;
    else
        ++m_summary.replaced;
    return Ok{};
}

Result<AddSummary> Season::add(const std::vector<std::filesystem::path>& logs, const AddOptions& options) {
    AddSummary summary;
    SeasonAdder adder(m_impl->db, m_impl->path, options, summary);
    if (Status done = adder.run(logs); !done)
        return done.error();
    return summary;
}

}  // namespace fragtide::season
