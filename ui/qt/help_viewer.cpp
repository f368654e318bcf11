#include "ui/qt/help_viewer.hpp"

#include <QTextBrowser>
#include <QUrl>
#include <QShortcut>
#include <QVBoxLayout>

#include "ui/qt/qt_text.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(toQString(texts::kHelpViewerTitle));
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 520);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void HelpViewer::showDocument(const QString& path) {
    m_browser->setSource(QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
}

}  // namespace fragtide::ui
