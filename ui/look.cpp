#include "ui/fonts.hpp"

#include <QFontInfo>
#include <QStringList>

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

}  // namespace fragtide::ui
