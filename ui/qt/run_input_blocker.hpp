#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Keeps user input away from a window while an analysis runs on its thread, as runs have always
// behaved: clicks, keys, wheel, drops and shortcuts aimed at the window are dropped, and the busy
// cursor shows. Message boxes the run opens are windows of their own and stay usable.
//
// A request to close the window is not input to drop: it is recorded (closeRequested) and the
// owner decides, since the run cannot be torn down halfway from inside an event handler.
//
// Lives on the GUI thread for the length of one run; the window must outlive it.
namespace fragtide::ui {

class RunInputBlocker : public QObject {
public:
    explicit RunInputBlocker(QWidget* window);
    ~RunInputBlocker() override;
    RunInputBlocker(const RunInputBlocker&) = delete;
    RunInputBlocker& operator=(const RunInputBlocker&) = delete;

    // Drops the input that queued up during the run instead of acting on it afterwards.
    void discardQueuedInput();

    // Whether the user asked to close the window since the run began.
    bool closeRequested() const { return m_closeRequested; }

    // Called once, at the first close request, inside the event that carried it.
    void setOnCloseRequest(std::function<void()> handler) { m_onCloseRequest = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    bool m_closeRequested = false;
    std::function<void()> m_onCloseRequest;
};

}  // namespace fragtide::ui
