#pragma once

#include <QFont>

// The design's fonts, each with the closest families to fall back on where it is not installed
// (Impact and Arial are Windows fonts; Liberation and DejaVu stand in on most Linux desktops).
namespace fragtide::ui {

// Impact, 20.25 points, italic: the "FRAGTIDE" title.
QFont titleFont();

// Arial, 9.75 points, bold: the report list and the About credit.
QFont reportFont();

}  // namespace fragtide::ui
