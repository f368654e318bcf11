#include "ui/qt/look.hpp"

#include <QFontInfo>
#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace fragtide::ui {

QFont titleFont() {
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Impact"), QStringLiteral("Haettenschweiler"),
                      QStringLiteral("Anton"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Arial Narrow")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(20.25);
    font.setItalic(true);
    // Impact is heavy by itself; a stand-in family needs bold to look like it.
    if (QFontInfo(font).family() != QStringLiteral("Impact"))
        font.setBold(true);
    return font;
}

QFont reportFont() {
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    font.setBold(true);
    return font;
}

void paintGreenOnBlack(QWidget& widget) {
    QPalette green = widget.palette();
    for (const auto role : {QPalette::Base, QPalette::Window})
        green.setColor(role, Qt::black);
    for (const auto role : {QPalette::Text, QPalette::WindowText})
        green.setColor(role, QColor(0, 128, 0));
    widget.setPalette(green);
}

QString menuCaption(QString text) {
    const qsizetype first = text.indexOf(u'&');
    for (qsizetype i = text.indexOf(u'&', first + 1); first >= 0 && i >= 0; i = text.indexOf(u'&', i))
        text.remove(i, 1);
    return text;
}

}  // namespace fragtide::ui
