#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmGS;
}

#include "ui/form_controller.hpp"

// Game Select: the games of the catalogue, the current one preselected. OK closes the dialog with
// the selected entry (the form controller applies it); Cancel, or closing the frame, chooses
// nothing. Built anew for every opening. Neither button answers Enter or Escape, so a stray key
// never changes the game.
namespace fragtide::ui {

class frmGS : public QDialog {
    Q_OBJECT
public:
    explicit frmGS(const GameSelectChoice& choice, QWidget* parent = nullptr);
    ~frmGS() override;

    // The entry selected, from 0; -1 when none is.
    int selectedPosition() const;

public Q_SLOTS:
    // Closes the dialog as accepted; ignored while no entry is selected.
    void cmdOK_Click();
    void cmdCancel_Click();

Q_SIGNALS:
    // F1 was pressed in the dialog: the owner opens the help.
    void helpRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::frmGS> ui;
};

}  // namespace fragtide::ui
