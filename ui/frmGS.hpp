#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmGS;
}

namespace fragtide::engine {
class StatsStore;
class WindowOps;
}  // namespace fragtide::engine
namespace fragtide::settings {
class SettingsBackend;
}

// Game Select: the six games, the current one preselected. OK makes the chosen game current at
// once: it is stored, named in the main window's caption and its weapon names are loaded; the
// statistics of the last analysis stay. Cancel, or closing the frame, changes nothing.
//
// Built anew for every opening; store, backend and window must outlive it. Neither button
// answers Enter or Escape, so a stray key never changes the game.
namespace fragtide::ui {

class frmGS : public QDialog {
    Q_OBJECT
public:
    frmGS(engine::StatsStore& store, settings::SettingsBackend& backend, engine::WindowOps& window,
          QWidget* parent = nullptr);
    ~frmGS() override;

public Q_SLOTS:
    // Applies the selected game and closes; ignored while no entry is selected.
    void cmdOK_Click();
    void cmdCancel_Click();

Q_SIGNALS:
    // F1 was pressed in the dialog: the owner opens the help.
    void helpRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();

    std::unique_ptr<Ui::frmGS> ui;
    engine::StatsStore& m_store;
    settings::SettingsBackend& m_backend;
    engine::WindowOps& m_window;
};

}  // namespace fragtide::ui
