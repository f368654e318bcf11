#include "ui/qt/frmAbout.hpp"

#include <QKeyEvent>
#include <QLayout>

#include "ui/qt/look.hpp"
#include "ui/qt/qt_text.hpp"
#include "ui_frmAbout.h"

namespace fragtide::ui {

namespace {
constexpr int kWidth = 363;  // 5445 twips
}  // namespace

frmAbout::frmAbout(const AboutTexts& texts, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmAbout>()) {
    ui->setupUi(this);
    setWindowTitle(toQString(texts.title));
    ui->lbl_0->setText(toQString(texts.credit));
    ui->lbl_0->setFont(reportFont());
    ui->lbl_2->setText(toQString(texts.contact));
    ui->lbl_3->setText(keepHyphenatedWordsWhole(toQString(texts.description)));
    ui->cmdOK->setText(toQString(texts.ok));
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    // The design's width; as high as the wrapped texts need at that width, no more.
    resize(kWidth, layout()->totalHeightForWidth(kWidth));
}

frmAbout::~frmAbout() = default;

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::HelpContents)) {
        event->accept();
        Q_EMIT helpRequested();
        return;
    }
    QDialog::keyPressEvent(event);
}

QString keepHyphenatedWordsWhole(QString text) {
    // A word joiner after a hyphen between letters forbids the line break there; it has no width.
    for (qsizetype i = text.size() - 2; i > 0; --i) {
        if (text[i] == u'-' && text[i - 1].isLetter() && text[i + 1].isLetter())
            text.insert(i + 1, QChar(0x2060));
    }
    return text;
}

}  // namespace fragtide::ui
