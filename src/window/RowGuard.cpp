#include "window/RowGuard.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace app {

RowGuard::RowGuard(QListWidget* list, std::function<bool()> editsPending,
                   std::function<bool()> mayLeave)
    : QObject(list), list_(list), editsPending_(std::move(editsPending)),
      mayLeave_(std::move(mayLeave)) {
    viewport_ = list_->viewport();
    list_->installEventFilter(this);
    viewport_->installEventFilter(this);
}

bool RowGuard::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == viewport_ &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
         type == QEvent::MouseMove)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // A press selects the row under it, and so does a move with the button held.
        if (type != QEvent::MouseMove || (mouse->buttons() & Qt::LeftButton))
            return pressKeepsRow(list_->indexAt(mouse->position().toPoint()).row());
    }
    if (watched == list_ && type == QEvent::KeyPress && editsPending_()) {
        tryKey(event);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// True when the press is to go nowhere.
bool RowGuard::pressKeepsRow(int row) {
    if (row < 0 || row == list_->currentRow() || !editsPending_())
        return false;
    return !mayLeave_();
}

// Which row a key leads to (arrows, pages, a typed name) is the list's own business, so the
// list handles the key itself, past the event filters that have seen it already.
void RowGuard::tryKey(QEvent* event) {
    const int shown = list_->currentRow();
    {
        const QSignalBlocker quiet(list_);
        static_cast<QObject*>(list_)->event(event);
    }
    const int chosen = list_->currentRow();
    if (chosen == shown)
        return;
    {
        const QSignalBlocker quiet(list_);
        list_->setCurrentRow(shown);
    }
    if (mayLeave_())
        list_->setCurrentRow(chosen);
}

} // namespace app
