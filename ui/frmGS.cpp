#include "ui/frmGS.hpp"

#include <QKeyEvent>

#include "engine/game_catalogue.hpp"
#include "engine/stats_store.hpp"
#include "engine/window_ops.hpp"
#include "settings/game_setting.hpp"
#include "ui/qt_text.hpp"
#include "ui/ui_texts.hpp"
#include "ui_frmGS.h"

namespace fragtide::ui {

frmGS::frmGS(engine::StatsStore& store, settings::SettingsBackend& backend,
             engine::WindowOps& window, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmGS>()), m_store(store), m_backend(backend),
      m_window(window) {
    ui->setupUi(this);
    setWindowTitle(toQString(texts::kGameSelectTitle));
    ui->lbl->setText(toQString(texts::kGameSelectLabel));
    ui->cmdOK->setText(toQString(texts::kOk));
    ui->cmdCancel->setText(toQString(texts::kCancel));
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmGS::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmGS::cmdCancel_Click);
    Form_Load();
}

frmGS::~frmGS() = default;

void frmGS::Form_Load() {
    const auto catalogue = engine::games();
    int current = -1;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        ui->cboGames->addItem(toQString(catalogue[i].displayName));
        if (current < 0 && catalogue[i].displayName == m_store.CurrentGame)
            current = static_cast<int>(i);
    }
    ui->cboGames->setCurrentIndex(current);
}

void frmGS::cmdOK_Click() {
    // With nothing chosen there is no game to apply; storing "" would only reset the next start.
    if (ui->cboGames->currentIndex() < 0)
        return;
    m_store.CurrentGame = toUtf8(ui->cboGames->currentText());
    settings::saveSelectedGame(m_backend, m_store.CurrentGame);
    m_window.setCaption(texts::mainCaption(m_store.CurrentGame));
    engine::LoadWeaponNames(m_store);
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
