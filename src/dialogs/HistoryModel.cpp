#include "dialogs/HistoryModel.h"

#include <limits>

namespace app {

HistoryModel::HistoryModel(Read read, Describe describe, QObject* parent)
    : QAbstractListModel(parent), read_(std::move(read)), describe_(std::move(describe)) {}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_.size())
        return {};
    auto text = texts_.find(index.row());
    if (text == texts_.end())
        text = texts_.insert(index.row(), describe_(rows_.at(index.row())));
    return *text;
}

bool HistoryModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !complete_;
}

void HistoryModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    const qint64 olderThan = rows_.isEmpty() ? std::numeric_limits<qint64>::max() : rows_.last().id;
    const QList<history::Entry> older = read_(olderThan, kBatch);
    complete_ = older.size() < kBatch;
    if (older.isEmpty())
        return;
    beginInsertRows({}, int(rows_.size()), int(rows_.size() + older.size() - 1));
    rows_ += older;
    endInsertRows();
}

void HistoryModel::reload() {
    const int count = std::max(int(rows_.size()), kBatch);
    beginResetModel();
    rows_ = read_(std::numeric_limits<qint64>::max(), count);
    texts_.clear();
    complete_ = rows_.size() < count;
    endResetModel();
}

int HistoryModel::rowOf(qint64 id) const {
    for (int row = 0; row < rows_.size(); ++row)
        if (rows_[row].id == id)
            return row;
    return -1;
}

} // namespace app
