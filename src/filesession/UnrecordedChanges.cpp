#include "filesession/UnrecordedChanges.h"

#include "ui/Dialogs.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace app {
namespace {

const QString kUnrecorded =
    QStringLiteral("The change to %1 was written, but it cannot be undone: the history of "
                   "changes could not record it (%2). The history is tried again at every "
                   "change; while it cannot record them, the status bar says so.");

} // namespace

void UnrecordedChanges::missed(const history::RecordRef& record, const QString& reason) {
    showNote(QStringLiteral("Changes are not recorded: ") + reason);
    if (reason == told_)
        return;
    told_ = reason;
    ui::showWarning(window_, kUnrecorded.arg(record.label(), reason));
}

void UnrecordedChanges::recorded() {
    told_.clear();
    if (note_)
        qobject_cast<QMainWindow*>(window_)->statusBar()->hide();
}

// The status bar is made the first time it is needed and shown only while the note is.
void UnrecordedChanges::showNote(const QString& text) {
    auto* window = qobject_cast<QMainWindow*>(window_);
    if (!window)
        return;
    if (!note_) {
        note_ = new QLabel(window);
        note_->setObjectName("HistoryProblemLBL");
        window->statusBar()->addWidget(note_, 1);
    }
    note_->setText(text);
    note_->show();
    window->statusBar()->show();
}

} // namespace app
