#pragma once

#include "dialogs/HistoryModel.h"

#include <QDialog>

#include <functional>

class QListView;
class QListWidget;
class QPushButton;

namespace app {

// The History window: the open file's changes, newest first, each with its time, record and
// what it changed, shortened when long; the shown entry's changes one per line beside them,
// in the pages' words. The shown entry is the current row while it is selected (the newest
// at first). The selected entries can be reverted, and the file as it was right after the
// shown one can be played. The list is read again whenever the window becomes active.
class HistoryDialog : public QDialog {
    Q_OBJECT
  public:
    struct Sources {
        QString fileName;                                         // the open file's name
        HistoryModel::Read entries;                               // newest first
        std::function<void(const QList<history::Entry>&)> revert; // takes the chosen back
        QStringList itemNames;                                    // the item lists' rows
        std::function<void(const history::Entry&)> play; // plays the file as it was after it
    };
    HistoryDialog(QWidget* parent, Sources sources);

    // One row of HistoryLST: "2026-12-07 06:41:50  Enemy 5 Tonic  HP: 3321 → 300, Level:
    // 12 → 14, +3 more".
    static QString describe(const history::Entry& entry, const QStringList& itemNames);
    // The rows of HistoryDetailLST for `entry`, the first `most` of them when not all: an
    // import names the record of each change.
    static QStringList changeLines(const history::Entry& entry, const QStringList& itemNames,
                                   int most = -1);

  protected:
    bool event(QEvent* event) override;
    void done(int result) override;

  private:
    void fill();
    std::optional<history::Entry> shownEntry() const;
    void showChanges();
    void RevertCMD_Click();
    void PlayVersionCMD_Click();

    Sources sources_;
    HistoryModel* model_ = nullptr;
    QListView* list_ = nullptr;
    QListWidget* detail_ = nullptr;
    QPushButton* play_ = nullptr;
};

} // namespace app
