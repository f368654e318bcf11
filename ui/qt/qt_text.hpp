#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

// The window's crossings between the core's UTF-8 text and Qt's QString, and between QString
// paths and std::filesystem paths. Every conversion in ui/ goes through these, so a text is
// decoded in exactly one way.
namespace fragtide::ui {

// UTF-8 display text (as every WindowOps text is) to a QString.
QString toQString(std::string_view utf8);

// A QString back to UTF-8, for texts handed to the core.
std::string toUtf8(const QString& text);

// A path as the user or a dialog gave it, in the file system's own encoding.
std::filesystem::path toPath(const QString& path);

}  // namespace fragtide::ui
