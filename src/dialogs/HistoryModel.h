#pragma once

#include "history/History.h"

#include <QAbstractListModel>

#include <functional>

namespace app {

// The rows of the History window: a file's entries, newest first, read a batch at a time as
// the list is scrolled, so that showing it costs the same at 10 entries and at 10,000. Each
// row's text is made when it is first shown.
class HistoryModel : public QAbstractListModel {
  public:
    using Read = std::function<QList<history::Entry>(qint64 olderThan, int count)>;
    using Describe = std::function<QString(const history::Entry&)>;
    static constexpr int kBatch = 100;

    HistoryModel(Read read, Describe describe, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // Reads the newest entries again, at least as many as are shown now.
    void reload();
    const history::Entry& entryAt(int row) const { return rows_.at(row); }
    // The row of entry `id`, or -1 when it is not read.
    int rowOf(qint64 id) const;

  private:
    Read read_;
    Describe describe_;
    QList<history::Entry> rows_;
    mutable QHash<int, QString> texts_;
    bool complete_ = false;
};

} // namespace app
