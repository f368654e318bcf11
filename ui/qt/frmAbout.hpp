#pragma once

#include <QDialog>

#include <memory>

#include "ui/form_controller.hpp"

namespace Ui {
class frmAbout;
}

// About Fragtide: the credit, the contact address and what the program does, laid out as tightly
// as its texts allow and without breaking a word at its hyphen. Holds no state; built anew for
// every opening.
namespace fragtide::ui {

// `text` with no line break allowed at a hyphen inside a word ("Half-Life" stays whole).
QString keepHyphenatedWordsWhole(QString text);

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(const AboutTexts& texts = FormController::aboutTexts(), QWidget* parent = nullptr);
    ~frmAbout() override;

public Q_SLOTS:
    void cmdOK_Click();

Q_SIGNALS:
    // F1 was pressed in the dialog: the owner opens the help.
    void helpRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::frmAbout> ui;
};

}  // namespace fragtide::ui
