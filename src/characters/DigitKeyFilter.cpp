#include "characters/DigitKeyFilter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

namespace characters {
namespace {

bool isDigit(const QString& text) {
    return text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
}

// Keys that type a character of their own even though Qt gives them a special key code.
bool typesControlCharacter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace

DigitKeyFilter::DigitKeyFilter(QLineEdit* box) : QObject(box), box_(box) {
    box_->setAcceptDrops(false);
    box_->installEventFilter(this);
}

bool DigitKeyFilter::passes(const QKeyEvent* key) {
    if (key->matches(QKeySequence::Paste))
        return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false; // Ctrl+letter types a control character
    if (key->key() == Qt::Key_Backspace)
        return true;
    if (isDigit(key->text()))
        return true;
    return key->key() >= Qt::Key_Escape && !typesControlCharacter(key->key());
}

bool DigitKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return !passes(static_cast<QKeyEvent*>(event));
    case QEvent::ContextMenu:
        showMenuWithoutPaste(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        // A middle click would paste the selection clipboard.
        return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    default:
        return QObject::eventFilter(watched, event);
    }
}

void DigitKeyFilter::showMenuWithoutPaste(const QPoint& globalPos) {
    QMenu* menu = box_->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The line edit's own menu names its paste entry with this text.
    const QString paste = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(paste))
            action->setEnabled(false);
    }
    menu->popup(globalPos);
}

} // namespace characters
