#include "ui/TextBox.h"

namespace ui {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    // text(), not the signal's argument: after a refused edit the outer textChanged still
    // carries the refused text.
    connect(this, &QLineEdit::textChanged, this, [this] { beforeEdit_ = text(); });
    connect(this, &QLineEdit::textEdited, this, &TextBox::refuseLongerEdit);
}

// textEdited arrives before textChanged, so beforeEdit_ still holds the text as it was
// before the user's edit.
void TextBox::refuseLongerEdit(const QString& edited) {
    const QString before = beforeEdit_;
    if (typingLimit_ <= 0 || edited.size() <= typingLimit_ || edited.size() <= before.size())
        return;
    const int cursor = cursorPosition() - static_cast<int>(edited.size() - before.size());
    setText(before);
    setCursorPosition(std::max(0, cursor));
}

} // namespace ui
