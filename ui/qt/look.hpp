#pragma once

#include <QFont>

class QWidget;

// The design's colours and fonts, each font with the closest families to fall back on where it is not installed
// (Impact and Arial are Windows fonts; Liberation and DejaVu stand in on most Linux desktops).
namespace fragtide::ui {

// Impact, 20.25 points, italic: the "FRAGTIDE" title.
QFont titleFont();

// Arial, 9.75 points, bold: the report list and the About credit.
QFont reportFont();

// Green (RGB 0, 128, 0) on black: the file name and the report list.
void paintGreenOnBlack(QWidget& widget);

// A caption as a menu shows it: only the first "&" marks an access key that works, so a second
// one is dropped rather than underlining a letter that does nothing ("&Fragtide &Help Topics"
// shows "Fragtide Help Topics" with F underlined).
QString menuCaption(QString text);

}  // namespace fragtide::ui
