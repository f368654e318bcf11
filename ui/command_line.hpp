#pragma once

#include <QString>

#include <optional>

// The log file named on the program's command line.
//
// The text is the whole command line after the program's name. Shells and desktops often quote
// a path, use "/" or "\" as folder separators, or give a bare file name; all three are accepted.
namespace fragtide::ui {

struct CommandLineLog {
    QString path;       // what the analysis opens: the text without one pair of surrounding quotes
    QString shownName;  // what txtFile shows: the file's name, lower-cased, never empty
};

// The log named by `text`, or nothing when the command line names no file ("" or "\"\"").
std::optional<CommandLineLog> parseCommandLine(const QString& text);

}  // namespace fragtide::ui
