#include "ui/frmAbout.hpp"

#include "ui/fonts.hpp"
#include "ui/qt_text.hpp"
#include "ui/ui_texts.hpp"
#include "ui_frmAbout.h"

namespace fragtide::ui {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmAbout>()) {
    ui->setupUi(this);
    setWindowTitle(toQString(texts::kAboutTitle));
    ui->lbl_0->setText(toQString(texts::kAboutCredit));
    ui->lbl_0->setFont(reportFont());
    ui->lbl_2->setText(toQString(texts::kAboutContact));
    ui->lbl_3->setText(toQString(texts::kAboutDescription));
    ui->cmdOK->setText(toQString(texts::kOk));
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

frmAbout::~frmAbout() = default;

void frmAbout::cmdOK_Click() {
    accept();
}

}  // namespace fragtide::ui
