#include "season/match_marks.hpp"

#include <algorithm>
#include <new>
#include <thread>
#include <vector>

#include "engine/log_analysis.hpp"
#include "engine/log_file.hpp"
#include "season/civil_time.hpp"

namespace fragtide::season {
namespace {

constexpr std::string_view kLoading = "Loading map \"";
constexpr std::string_view kStarted = "Started map \"";
constexpr std::string_view kInitGame = "InitGame:";
constexpr std::string_view kMapName = "\\mapname\\";
constexpr std::size_t kScanBlock = std::size_t{4} << 20;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "MM/DD/YYYY - hh:mm:ss" at the start of `text`, then an optional fraction; returns the time
// and how many bytes it took.
std::optional<std::pair<CivilSeconds, std::size_t>> dateTimeAt(std::string_view text) {
    static constexpr std::string_view kShape = "00/00/0000 - 00:00:00";
    if (text.size() < kShape.size())
        return std::nullopt;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        if (kShape[i] == '0' ? !isDigit(text[i]) : text[i] != kShape[i])
            return std::nullopt;
    }
    const auto num = [&](std::size_t at, std::size_t n) {
        int v = 0;
        for (std::size_t i = at; i < at + n; ++i)
            v = v * 10 + (text[i] - '0');
        return v;
    };
    const auto seconds = civilSeconds(num(6, 4), num(0, 2), num(3, 2), num(13, 2), num(16, 2), num(19, 2));
    if (!seconds)
        return std::nullopt;
    std::size_t used = kShape.size();
    if (used + 1 < text.size() && text[used] == '.' && isDigit(text[used + 1])) {
        ++used;
        while (used < text.size() && isDigit(text[used]))
            ++used;
    }
    return std::pair{*seconds, used};
}

// The stamp of either server log form and the bytes after it; no stamp leaves the line whole.
std::pair<std::optional<CivilSeconds>, std::string_view> splitStamp(std::string_view line) {
    if (line.starts_with("L ")) {
        if (const auto at = dateTimeAt(line.substr(2)); at && line.substr(2 + at->second).starts_with(": "))
            return {at->first, line.substr(2 + at->second + 2)};
    } else if (const auto at = dateTimeAt(line); at && line.substr(at->second).starts_with(" - ")) {
        return {at->first, line.substr(at->second + 3)};
    }
    return {std::nullopt, line};
}

std::optional<MapStart> halfLifeStart(std::string_view line) {
    const auto [stamp, rest] = splitStamp(line);
    StartKind kind = StartKind::None;
    if (rest.starts_with(kLoading))
        kind = StartKind::Loading;
    else if (rest.starts_with(kStarted))
        kind = StartKind::Started;
    else
        return std::nullopt;
    const std::string_view tail = rest.substr(kLoading.size());
    const auto quote = tail.find('"');
    if (quote == std::string_view::npos)
        return std::nullopt;
    return MapStart{0, kind, std::string(tail.substr(0, quote)), stamp};
}

std::optional<MapStart> quake3Start(std::string_view line) {
    // The prefix the Quake III reader allows before a line's word: digits, spaces, : . and |.
    const auto word = line.find_first_not_of("0123456789 :.|");
    if (word == std::string_view::npos || !line.substr(word).starts_with(kInitGame))
        return std::nullopt;
    const std::string_view info = line.substr(word + kInitGame.size());
    std::string map;
    if (const auto at = info.find(kMapName); at != std::string_view::npos) {
        const std::string_view value = info.substr(at + kMapName.size());
        map = value.substr(0, value.find('\\'));
    }
    return MapStart{0, StartKind::InitGame, std::move(map), std::nullopt};
}

std::optional<MapStart> stdLogStart(std::string_view line) {
    std::string_view fields[4];
    std::size_t count = 0;
    std::size_t at = 0;
    while (count < 4) {
        const auto tab = line.find('\t', at);
        fields[count++] = line.substr(at, tab == std::string_view::npos ? std::string_view::npos : tab - at);
        if (tab == std::string_view::npos)
            break;
        at = tab + 1;
    }
    if (count < 3 || fields[2] != "Map")
        return std::nullopt;
    return MapStart{0, StartKind::MapRecord, count == 4 ? std::string(fields[3]) : std::string(), std::nullopt};
}

std::string_view keywordOf(MatchMarks marks) {
    switch (marks) {
    case MatchMarks::HalfLife:
        return "map \"";
    case MatchMarks::Quake3:
        return kInitGame;
    case MatchMarks::StdLog:
        return "Map";
    case MatchMarks::None:
        break;
    }
    return {};
}

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

}  // namespace

MatchMarks matchMarksOf(rules::KillSource kind) {
    switch (kind) {
    case rules::KillSource::HalfLifeServerLog:
    case rules::KillSource::CounterStrike2ServerLog:
        return MatchMarks::HalfLife;
    case rules::KillSource::Quake3ServerLog:
        return MatchMarks::Quake3;
    case rules::KillSource::Quake2StdLog:
        return MatchMarks::StdLog;
    case rules::KillSource::ObituaryRules:
    case rules::KillSource::TemplateLines:
        break;
    }
    return MatchMarks::None;
}

std::optional<MapStart> readMapStart(MatchMarks marks, std::string_view line) {
    switch (marks) {
    case MatchMarks::HalfLife:
        return halfLifeStart(line);
    case MatchMarks::Quake3:
        return quake3Start(line);
    case MatchMarks::StdLog:
        return stdLogStart(line);
    case MatchMarks::None:
        break;
    }
    return std::nullopt;
}

std::optional<CivilSeconds> lineStamp(std::string_view line) { return splitStamp(line).first; }

std::vector<MapStart> mapStartsIn(MatchMarks marks, std::string_view bytes, std::uint64_t base) {
    std::vector<MapStart> starts;
    const std::string_view keyword = keywordOf(marks);
    if (keyword.empty())
        return starts;
    std::size_t from = 0;
    // Most lines hold no keyword: find it first, then look at its line only.
    while (from < bytes.size()) {
        const auto hit = bytes.find(keyword, from);
        if (hit == std::string_view::npos)
            break;
        std::size_t begin = hit;
        while (begin > 0 && !isLineEnd(bytes[begin - 1]))
            --begin;
        std::size_t end = hit;
        while (end < bytes.size() && !isLineEnd(bytes[end]))
            ++end;
        if (auto start = readMapStart(marks, bytes.substr(begin, end - begin))) {
            start->offset = base + begin;
            starts.push_back(std::move(*start));
        }
        from = end;
    }
    return starts;
}

namespace {

// scanMapStarts of one range, on the calling thread.
Result<std::vector<MapStart>> scanRange(const std::filesystem::path& path, MatchMarks marks, std::uint64_t from,
                                        std::uint64_t to) {
    std::vector<MapStart> starts;
    auto file = engine::LogFile::open(path);
    if (!file)
        return file.error();
    if (const Status sought = file->seek(from); !sought)
        return sought.error();
    // `buffer` holds the unfinished last line of the block before, then the next block.
    std::string buffer;
    std::uint64_t base = from;  // file offset of buffer[0]
    std::uint64_t left = to - from;
    while (left > 0) {
        const std::size_t kept = buffer.size();
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, kScanBlock));
        buffer.resize(kept + want);
        const auto got = file->readInto(buffer.data() + kept, want);
        if (!got)
            return got.error();
        buffer.resize(kept + *got);
        left -= *got;
        if (*got == 0)
            break;
        std::size_t complete = buffer.size();
        if (left > 0) {
            while (complete > 0 && !isLineEnd(buffer[complete - 1]))
                --complete;
        }
        auto found = mapStartsIn(marks, std::string_view(buffer).substr(0, complete), base);
        starts.insert(starts.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
        buffer.erase(0, complete);
        base += complete;
    }
    return starts;
}

// The start of the first line that begins at `at` or after it (before `to`), or nothing when no line
// ends within a window after `at`: a range is then not worth cutting there.
Result<std::optional<std::uint64_t>> lineStartFrom(engine::LogFile& file, std::uint64_t at, std::uint64_t to) {
    if (const Status sought = file.seek(at - 1); !sought)
        return sought.error();
    std::string window(static_cast<std::size_t>(std::min<std::uint64_t>(to - (at - 1), kScanBlock)), '\0');
    const auto got = file.readInto(window.data(), window.size());
    if (!got)
        return got.error();
    for (std::size_t i = 0; i < *got; ++i) {
        if (isLineEnd(window[i]))
            return std::optional<std::uint64_t>(at - 1 + i + 1);
    }
    return std::optional<std::uint64_t>();
}

}  // namespace

Result<std::vector<MapStart>> scanMapStarts(const std::filesystem::path& path, MatchMarks marks, std::uint64_t from,
                                            std::uint64_t to, std::uint64_t splitBytes) {
    if (marks == MatchMarks::None || from >= to)
        return std::vector<MapStart>();
    // A long log is cut at line starts into a range per processor (at least two, so that tests
    // cut on any machine), scanned at once: the scan reads the whole file before its analysis
    // can start.
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 2u, 4u);
    std::vector<std::uint64_t> cuts = {from};
    if (threads > 1 && to - from >= splitBytes) {
        auto file = engine::LogFile::open(path);
        if (!file)
            return file.error();
        for (unsigned t = 1; t < threads; ++t) {
            const std::uint64_t at = from + (to - from) / threads * t;
            if (at <= cuts.back())
                continue;
            auto start = lineStartFrom(*file, at, to);
            if (!start)
                return start.error();
            if (*start && **start > cuts.back() && **start < to)
                cuts.push_back(**start);
        }
    }
    cuts.push_back(to);
    const std::size_t ranges = cuts.size() - 1;
    std::vector<Result<std::vector<MapStart>>> found(ranges, std::vector<MapStart>());
    const auto scan = [&](std::size_t r) {
        try {
            found[r] = scanRange(path, marks, cuts[r], cuts[r + 1]);
        } catch (const std::bad_alloc&) {
            found[r] = engine::outOfMemory(path);
        }
    };
    std::vector<std::thread> helpers;
    for (std::size_t r = 1; r < ranges; ++r)
        helpers.emplace_back(scan, r);
    scan(0);
    for (std::thread& helper : helpers)
        helper.join();
    std::vector<MapStart> starts;
    for (auto& part : found) {
        if (!part)
            return part.error();
        starts.insert(starts.end(), std::make_move_iterator(part->begin()), std::make_move_iterator(part->end()));
    }
    return starts;
}

std::optional<std::uint64_t> lastLineStart(std::string_view end, std::uint64_t size) {
    std::size_t n = end.size();
    // The file's final line ending, if any, belongs to the last line.
    if (n > 0 && end[n - 1] == '\n')
        --n;
    if (n > 0 && end[n - 1] == '\r' && (n == end.size() || end[n] == '\n'))
        --n;
    while (n > 0 && !isLineEnd(end[n - 1]))
        --n;
    if (n == 0 && end.size() < size)
        return std::nullopt;
    return size - end.size() + n;
}

}  // namespace fragtide::season
