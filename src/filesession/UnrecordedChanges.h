#pragma once

#include "history/History.h"

#include <QString>

class QLabel;
class QWidget;

namespace app {

// A history that cannot record the changes written, for a while (its folder cannot be made,
// the file is no database, the disk is read-only): the reason is told once, with the first
// change it missed, and shown in the window's status bar while it lasts. It is told again only
// when the reason changes, or when the history has recorded a change in between.
class UnrecordedChanges {
  public:
    explicit UnrecordedChanges(QWidget* window) : window_(window) {}

    // `record` reached the file, but the history could not record it, for `reason`.
    void missed(const history::RecordRef& record, const QString& reason);
    // The history recorded a change: it works again.
    void recorded();

  private:
    void showNote(const QString& text);

    QWidget* window_;
    QLabel* note_ = nullptr;
    QString told_;
};

} // namespace app
