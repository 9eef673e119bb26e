#pragma once

#include <QLineEdit>

namespace ui {

// A text box whose typing limit limits typing only: text set by the program shows in
// full, and the user can always shorten it, but no edit may make it longer than the
// limit (typing, pasting, dropping alike).
class TextBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit TextBox(QWidget* parent = nullptr);
    void setTypingLimit(int limit) { typingLimit_ = limit; }

  private:
    void refuseLongerEdit(const QString& edited);

    int typingLimit_ = 0; // 0: no limit
    QString beforeEdit_;
};

} // namespace ui
