#include "ui/TextBox.h"

namespace ui {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TextBox::rememberText);
    connect(this, &QLineEdit::textEdited, this, &TextBox::refuseLongerEdit);
}

void TextBox::rememberText(const QString& text) {
    previous_ = current_;
    current_ = text;
}

// textChanged has already run when textEdited arrives, so previous_ is the text before
// the user's edit.
void TextBox::refuseLongerEdit(const QString& edited) {
    if (typingLimit_ <= 0 || edited.size() <= typingLimit_ || edited.size() <= previous_.size())
        return;
    const int cursor = std::min<int>(cursorPosition(), previous_.size());
    const QString before = previous_;
    setText(before);
    setCursorPosition(std::max(0, cursor - static_cast<int>(edited.size() - before.size())));
}

} // namespace ui
