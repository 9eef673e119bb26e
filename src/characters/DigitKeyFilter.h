#pragma once

#include <QObject>

class QKeyEvent;
class QLineEdit;

namespace characters {

// Lets only Backspace and the digits 0 to 9 be typed into one box. Letters, the minus
// sign and every control character (so the paste shortcut too) are discarded, pasting
// from the context menu or by dropping is not offered, and keys that type no character
// (the arrows, Home, End, Delete, Tab) keep their usual meaning.
class DigitKeyFilter : public QObject {
    Q_OBJECT
  public:
    explicit DigitKeyFilter(QLineEdit* box);

    static bool passes(const QKeyEvent* key);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showMenuWithoutPaste(const QPoint& globalPos);

    QLineEdit* box_;
};

} // namespace characters
