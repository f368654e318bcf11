#include "ui/qt/run_input_blocker.hpp"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace fragtide::ui {

RunInputBlocker::RunInputBlocker(QWidget* window) : m_window(window) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(this);
}

RunInputBlocker::~RunInputBlocker() {
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

void RunInputBlocker::discardQueuedInput() {
    QCoreApplication::processEvents();
}

bool RunInputBlocker::eventFilter(QObject* watched, QEvent* event) {
    // Shortcuts and actions are not widgets; they belong to the widget that owns them.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        widget = qobject_cast<QWidget*>(watched->parent());
    if (!widget || widget->window() != m_window)
        return false;
    switch (event->type()) {
    case QEvent::Close:
        // The window stays until the owner has ended the run; the request is not lost.
        event->ignore();
        if (!m_closeRequested) {
            m_closeRequested = true;
            if (m_onCloseRequest)
                m_onCloseRequest();
        }
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

}  // namespace fragtide::ui
