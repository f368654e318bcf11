#pragma once

#include <QString>

#include "ui/window_ops.hpp"

class QWidget;

// The design's message boxes (styles 36, 64 and 16) as Qt message boxes over `parent`, modal,
// with the arrow cursor even while a run shows the busy one. Returns the button pressed.
namespace fragtide::ui {

MessageAnswer runMessageBox(QWidget* parent, const QString& prompt, MessageStyle style,
                                    const QString& title);

}  // namespace fragtide::ui
