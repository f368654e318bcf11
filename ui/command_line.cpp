#include "ui/command_line.hpp"

namespace fragtide::ui {

namespace {

bool isSeparator(QChar c) { return c == u'/' || c == u'\\'; }

}  // namespace

std::optional<CommandLineLog> parseCommandLine(const QString& text) {
    QString path = text;
    if (path.size() >= 2 && path.front() == u'"' && path.back() == u'"')
        path = path.mid(1, path.size() - 2);
    if (path.isEmpty())
        return std::nullopt;

    // The name is the last part that is not empty, so "C:\Logs\" shows "logs" rather than
    // nothing: an empty txtFile would make the run skip the file without a word.
    qsizetype end = path.size();
    while (end > 0 && isSeparator(path[end - 1]))
        --end;
    qsizetype begin = end;
    while (begin > 0 && !isSeparator(path[begin - 1]))
        --begin;
    QString name = path.mid(begin, end - begin);
    if (name.isEmpty())
        name = path;  // nothing but separators
    return CommandLineLog{path, name.toLower()};
}

}  // namespace fragtide::ui
