#pragma once

#include "history/History.h"
#include "records/Kinds.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QVariant>

#include <functional>
#include <optional>

class QFrame;
class QLabel;
class QListWidget;
class QWidget;

namespace ui {

// A page of the main window that shows and edits one record at a time. The window holds
// its pages in one list and asks them what it needs; nothing tells pages apart by pointer
// or by name.
//
// Every page keeps what its controls showed after the last load or save, so it can tell
// which of them the user has changed since: edits not yet applied.
class Page {
  public:
    virtual ~Page();

    virtual records::RecordKind id() const = 0;
    virtual QFrame* frame() const = 0;
    // The list a record is picked from; none on a page of one record.
    virtual QListWidget* list() const { return nullptr; }
    // Shows the selected record as the file holds it now.
    virtual void loadSelected() = 0;
    // Writes the shown record through the file layer; true when it was written.
    virtual bool save() = 0;
    // What this page holds that keeps any Apply from going ahead, on whichever page it is
    // pressed, as the message that says so; empty when nothing does.
    virtual QString applyRefusal() const { return QString(); }
    // The record shown, as the history names it; nothing while none is shown.
    std::optional<history::RecordRef> shownRecord() const;
    // The list row of the record shown (0 on a page of one record), -1 before any.
    int shownRow() const { return shownRow_; }

    // The editable controls whose value differs from what the last load or save showed.
    QList<QWidget*> pendingControls() const;
    bool hasPendingEdits() const { return !pendingControls().isEmpty(); }
    // The caption of a control, if it has one.
    QLabel* captionOf(QWidget* control) const;
    // `changed` runs after every change of an editable control, by the user or by a load.
    void watchEdits(const std::function<void()>& changed);
    // What the controls show now is what the file holds (after a load, a save, or a refill
    // of the lists from a file just opened).
    void rememberShownValues();

  protected:
    // A control that never counts as an edit: the record list, a name nothing writes.
    void ignoreForEdits(QWidget* control) { ignored_.insert(control); }
    // A caption that stands for more than one control, or is not the control's buddy.
    void setCaption(QWidget* control, QLabel* caption) { captions_.insert(control, caption); }

  private:
    QList<QWidget*> editableControls() const;

    int shownRow_ = -1;
    QHash<QWidget*, QVariant> shown_;
    QSet<const QWidget*> ignored_;
    QHash<QWidget*, QLabel*> captions_;
};

} // namespace ui
