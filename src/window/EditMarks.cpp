#include "window/EditMarks.h"

#include "ui/Dialogs.h"
#include "ui/Page.h"

#include <QLabel>

namespace app {
namespace {

void setBold(QLabel* label, bool bold) {
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

} // namespace

EditMarks::EditMarks(QWidget* window, std::function<ui::Page*()> visiblePage)
    : QObject(window), window_(window), visiblePage_(std::move(visiblePage)) {}

void EditMarks::setTitle(const QString& title) {
    title_ = title;
    show();
}

void EditMarks::schedule() {
    if (queued_)
        return;
    queued_ = true;
    QMetaObject::invokeMethod(this, &EditMarks::show, Qt::QueuedConnection);
}

void EditMarks::show() {
    queued_ = false;
    ui::Page* page = visiblePage_();
    const QList<QWidget*> pending = page ? page->pendingControls() : QList<QWidget*>();
    QList<QLabel*> marked;
    for (QWidget* control : pending)
        if (QLabel* caption = page->captionOf(control); caption && !marked.contains(caption))
            marked << caption;
    for (QLabel* caption : marked_)
        if (!marked.contains(caption))
            setBold(caption, false);
    for (QLabel* caption : marked)
        setBold(caption, true);
    marked_ = marked;
    window_->setWindowTitle((pending.isEmpty() ? QString() : QStringLiteral("*")) + title_);
}

LeaveAnswer askAboutEdits(QWidget* parent, const ui::Page& page) {
    const std::optional<history::RecordRef> record = page.shownRecord();
    const QString text = QStringLiteral("The changes to %1 are not applied. Apply them now?")
                             .arg(record ? record->label() : QStringLiteral("this record"));
    return ui::askAboutEdits(parent, text);
}

} // namespace app
