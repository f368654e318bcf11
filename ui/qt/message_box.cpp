#include "ui/qt/message_box.hpp"

#include <QApplication>
#include <QMessageBox>

namespace fragtide::ui {


MessageAnswer runMessageBox(QWidget* parent, const QString& prompt, MessageStyle style, const QString& title) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (style) {
    case MessageStyle::YesNoQuestion:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MessageStyle::OkInformation:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageStyle::OkCritical:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    // A question asked during a run must not wear the busy cursor.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    QApplication::restoreOverrideCursor();
    switch (answer) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
    }
}

}  // namespace fragtide::ui
