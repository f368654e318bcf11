#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmAbout;
}

// About Fragtide: the credit, the contact address and what the program does. Holds no state;
// built anew for every opening.
namespace fragtide::ui {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

public Q_SLOTS:
    void cmdOK_Click();

private:
    std::unique_ptr<Ui::frmAbout> ui;
};

}  // namespace fragtide::ui
