#include "ui/qt/frmGS.hpp"

#include <QKeyEvent>

#include "ui/qt/qt_text.hpp"
#include "ui/ui_texts.hpp"
#include "ui_frmGS.h"

namespace fragtide::ui {

frmGS::frmGS(const GameSelectChoice& choice, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmGS>()) {
    ui->setupUi(this);
    setWindowTitle(toQString(texts::kGameSelectTitle));
    ui->lbl->setText(toQString(texts::kGameSelectLabel));
    ui->cmdOK->setText(toQString(texts::kOk));
    ui->cmdCancel->setText(toQString(texts::kCancel));
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmGS::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmGS::cmdCancel_Click);
    for (const std::string& game : choice.games)
        ui->cboGames->addItem(toQString(game));
    // Under the list, what the selected game reads: a server log's entry is then not mistaken
    // for a client console's.
    const auto describe = [this, descriptions = choice.descriptions](int position) {
        const bool known = position >= 0 && static_cast<std::size_t>(position) < descriptions.size();
        ui->lblDescription->setText(known ? toQString(descriptions[static_cast<std::size_t>(position)]) : QString());
    };
    connect(ui->cboGames, &QComboBox::currentIndexChanged, this, describe);
    ui->cboGames->setCurrentIndex(choice.preselected);
    describe(choice.preselected);
}

frmGS::~frmGS() = default;

int frmGS::selectedPosition() const {
    return ui->cboGames->currentIndex();
}

void frmGS::cmdOK_Click() {
    if (!FormController::gameSelectOkAllowed(selectedPosition()))
        return;
    accept();
}

void frmGS::cmdCancel_Click() {
    reject();
}

void frmGS::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::HelpContents)) {
        event->accept();
        Q_EMIT helpRequested();
        return;
    }
    // QDialog would close on Escape; this dialog has never had a cancel key.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace fragtide::ui
