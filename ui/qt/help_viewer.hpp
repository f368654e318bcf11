#pragma once

#include <QWidget>

class QTextBrowser;

// The built-in viewer for the help document, used wherever the legacy help viewer does not
// exist. A window of its own beside the main window, not modal; links to other pages of the
// document open in it, links to the web in the desktop's browser.
namespace fragtide::ui {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows `path` (an existing HTML file) and brings the window to the front.
    void showDocument(const QString& path);

    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

}  // namespace fragtide::ui
