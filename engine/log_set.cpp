#include "engine/log_set.hpp"

#include <algorithm>
#include <optional>
#include <string>

#include "engine/line_ends.hpp"
#include "engine/log_file.hpp"

namespace fragtide::engine {
namespace {

// A file's name as bytes to sort by: the bytes themselves here, UTF-8 on Windows.
std::string nameBytes(const std::filesystem::path& name) {
#ifdef _WIN32
    return shownPath(name);
#else
    return name.native();
#endif
}

// The files of a set, one after the other, with "\n" after a file whose last byte ends no line.
// Counts every file's bytes and line ends as they pass, carrying a CR across the boundary so that
// the LF starting the next file is counted as the concatenation has it: half of one CR LF.
class SetStream final : public LogStream {
public:
    SetStream(const LogSet& set, LogSetResult& result) : m_set(set), m_result(result) {}

    Result<std::size_t> readInto(char* dst, std::size_t size) override {
        while (m_next <= m_set.files.size()) {
            if (!m_file) {
                if (m_next == m_set.files.size())
                    return std::size_t{0};
                const std::filesystem::path& path = m_set.files[m_next++];
                auto file = LogFile::open(path);
                if (!file) {
                    m_result.failures.push_back(file.error());
                    continue;
                }
                m_file.emplace(std::move(*file));
                m_result.files.push_back({path, 0, 0});
                m_firstLine.push_back(m_linesBefore);
                m_last = '\n';  // an empty file needs no line end after it
            }
            LogSetFile& entry = m_result.files.back();
            auto got = m_file->readInto(dst, size);
            if (!got)
                m_result.failures.push_back(got.error());  // keep what was read, as if it ended here
            if (got && *got > 0) {
                const std::string_view bytes(dst, *got);
                entry.bytes += *got;
                // A set of one file takes its lines from the analysis: one pass over the bytes less.
                if (m_set.files.size() > 1)
                    entry.lines += countLineEnds(bytes, m_previousWasCr);
                m_last = bytes.back();
                return *got;
            }
            m_file.reset();
            m_linesBefore += entry.lines;
            if (!isLineEnd(m_last) && size > 0) {
                dst[0] = '\n';
                ++entry.lines;
                ++m_linesBefore;
                m_previousWasCr = false;
                return std::size_t{1};
            }
        }
        return std::size_t{0};
    }

    Error lineTooLong(std::uint64_t line, std::size_t limit) const override {
        // The last file that starts before the line holds it: every file ends in a line end.
        std::size_t at = 0;
        for (std::size_t i = 0; i < m_firstLine.size(); ++i) {
            if (m_firstLine[i] < line)
                at = i;
        }
        if (m_result.files.empty())
            return {ErrorKind::TooLong, "cannot read the logs: a line is too long"};
        return engine::lineTooLong(m_result.files[at].path, line - m_firstLine[at], limit);
    }

    Error outOfMemory() const override {
        if (m_result.files.empty())
            return {ErrorKind::Io, "cannot read the logs: not enough memory"};
        return engine::outOfMemory(m_result.files.back().path);
    }

    Error tooManyNames() const override {
        if (m_result.files.empty())
            return {ErrorKind::OutOfMemory, "cannot read the logs: too many distinct names for the memory available"};
        return engine::tooManyNames(m_result.files.back().path);
    }

private:
    const LogSet& m_set;
    LogSetResult& m_result;
    std::size_t m_next = 0;
    std::optional<LogFile> m_file;
    std::vector<std::uint64_t> m_firstLine;  // per opened file, the lines before it
    std::uint64_t m_linesBefore = 0;
    bool m_previousWasCr = false;
    char m_last = '\n';
};

}  // namespace

LogSet expandLogPaths(std::span<const std::filesystem::path> paths) {
    LogSet set;
    for (const std::filesystem::path& path : paths) {
        std::error_code ec;
        if (!std::filesystem::is_directory(path, ec)) {
            set.files.push_back(path);
            continue;
        }
        std::vector<std::pair<std::string, std::filesystem::path>> inside;
        std::filesystem::directory_iterator it(path, ec);
        for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            std::error_code typeEc;
            if (it->is_regular_file(typeEc))  // follows a link to a file, as opening it would
                inside.emplace_back(nameBytes(it->path().filename()), it->path());
        }
        if (ec) {
            set.failures.push_back(fileError("read", path, ec));
            continue;
        }
        if (inside.empty()) {
            // Said, not skipped: a mistyped folder would otherwise give empty figures quietly.
            set.failures.push_back({ErrorKind::NotFound, "cannot read '" + shownPath(path) + "': the folder holds no file"});
            continue;
        }
        std::sort(inside.begin(), inside.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& entry : inside)
            set.files.push_back(std::move(entry.second));
    }
    return set;
}

Result<LogSetResult> analyzeLogSet(StatsStore& store, const LogSet& set, const LineProgress& progress,
                                   const AnalysisOptions& options) {
    LogSetResult result;
    result.failures = set.failures;
    SetStream stream(set, result);
    auto lines = analyzeStream(store, stream, progress, options);
    if (!lines)
        return lines.error();
    result.lines = *lines;
    if (set.files.size() == 1 && !result.files.empty())
        result.files[0].lines = *lines;
    return result;
}

Result<LogSetResult> analyzeLogSet(const KillSource& source, StatsStore& store, const LogSet& set,
                                   const LineProgress& progress, const AnalysisOptions& options) {
    LogSetResult result;
    result.failures = set.failures;
    SetStream stream(set, result);
    auto lines = analyzeStream(source, store, stream, progress, options);
    if (!lines)
        return lines.error();
    result.lines = *lines;
    if (set.files.size() == 1 && !result.files.empty())
        result.files[0].lines = *lines;
    return result;
}

std::uint64_t totalSize(const LogSet& set) {
    std::uint64_t total = 0;
    for (const auto& path : set.files) {
        if (const auto size = fileSize(path))
            total += *size;
    }
    return total;
}

}  // namespace fragtide::engine
