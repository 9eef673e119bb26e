#pragma once

#include "history/History.h"

#include <QDialog>

#include <functional>

class QListWidget;

namespace app {

// The History window: the open file's changes, newest first, each with its time and record;
// the selected entry's changes one per line beside them, in the pages' words. The selected
// entries can be reverted, and the file as it was right after one can be played. The list is
// read again whenever the window becomes active.
class HistoryDialog : public QDialog {
    Q_OBJECT
  public:
    struct Sources {
        QString fileName;                                         // the open file's name
        std::function<QList<history::Entry>()> entries;           // newest first
        std::function<void(const QList<history::Entry>&)> revert; // takes the chosen back
        QStringList itemNames;                                    // the item lists' rows
        std::function<void(const history::Entry&)> play; // plays the file as it was after it
    };
    HistoryDialog(QWidget* parent, Sources sources);

    // One row of HistoryLST.
    static QString describe(const history::Entry& entry);
    // The rows of HistoryDetailLST for `entry`: an import names the record of each change.
    static QStringList changeLines(const history::Entry& entry, const QStringList& itemNames);

  protected:
    bool event(QEvent* event) override;
    void done(int result) override;

  private:
    void fill();
    void showChanges();
    void RevertCMD_Click();
    void PlayVersionCMD_Click();

    Sources sources_;
    QList<history::Entry> shown_;
    QListWidget* list_ = nullptr;
    QListWidget* detail_ = nullptr;
};

} // namespace app
