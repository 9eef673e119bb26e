#pragma once

#include "play/Emulator.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace app {

// Emulator Settings: one of the emulators found on this machine, or "Custom", and the
// command line that starts it. OK keeps the command line in the editor's settings store.
class EmulatorDialog : public QDialog {
    Q_OBJECT
  public:
    explicit EmulatorDialog(QWidget* parent);

    void done(int result) override;

  private:
    void EmulatorCBO_Click(int index);
    void EmulatorBrowseCMD_Click();
    void EmulatorOKCMD_Click();
    void showChoiceOfCommand();

    QList<emulator::Found> found_;
    QComboBox* choice_ = nullptr;
    QLineEdit* command_ = nullptr;
};

} // namespace app
