#pragma once

#include "history/History.h"

#include <QDialog>

#include <functional>

class QListWidget;

namespace app {

// The History window: the open file's changes, newest first, each with its time, record
// and changed fields in the page's own words; the selected ones can be reverted, and the
// file as it was right after the selected one can be played.
class HistoryDialog : public QDialog {
    Q_OBJECT
  public:
    using Entries = std::function<QList<history::Entry>()>;
    using Revert = std::function<void(const QList<history::Entry>&)>;
    using Play = std::function<void(const history::Entry&)>;
    HistoryDialog(QWidget* parent, Entries entries, Revert revert, QStringList itemNames,
                  Play play);

    // One row of HistoryLST.
    static QString describe(const history::Entry& entry, const QStringList& itemNames);

  private:
    void fill();
    void RevertCMD_Click();
    void PlayVersionCMD_Click();

    Entries entries_;
    Revert revert_;
    Play play_;
    QStringList itemNames_;
    QList<history::Entry> shown_;
    QListWidget* list_ = nullptr;
};

} // namespace app
