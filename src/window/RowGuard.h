#pragma once

#include <QObject>

#include <functional>

class QListWidget;

namespace app {

// Asks before the user moves a page's list off the record the page shows, while the list
// still shows that record: a mouse press on another row is asked about before the list sees
// it, a key is tried with the list's signals held and the row put back before the question.
// When the answer keeps the record, the list's own handling never selects the other row, so
// the list and the page agree. Changes made in code are the row handler's to ask about.
class RowGuard : public QObject {
    Q_OBJECT
  public:
    // `editsPending`: the record shown has edits the user would leave. `mayLeave`: asks about
    // them; true when the other row may be chosen.
    RowGuard(QListWidget* list, std::function<bool()> editsPending, std::function<bool()> mayLeave);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool pressKeepsRow(int row);
    void tryKey(QEvent* event);

    QListWidget* list_;
    QObject* viewport_ = nullptr; // kept, so that no call reaches a list that is being taken down
    std::function<bool()> editsPending_;
    std::function<bool()> mayLeave_;
};

} // namespace app
