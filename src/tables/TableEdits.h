#pragma once

#include "history/History.h"
#include "tables/Sheet.h"

#include <QHash>

#include <set>
#include <utility>

namespace tables {

// Edits made in the grids and not yet applied. Three images of the file are kept: as last
// read, as the edits were made over, and as shown with every edit in place. A record is
// edited where what is shown differs from what it was edited over, and in conflict where
// the file no longer holds what it was edited over.
class TableEdits {
  public:
    // Everything as `file` holds it, without edits.
    void load(const QByteArray& file);
    // The file as it is now: records without edits show it, edited ones keep their edits.
    void fileChanged(const QByteArray& file);
    void discard() { load(file_); }

    const QByteArray& file() const { return file_; }
    const QByteArray& shown() const { return shown_; }
    const Names& names() const { return names_; }
    // "Enemy 5 Horn's", as the history names a record.
    QString label(const Sheet& sheet, int row) const;

    int value(const Sheet& sheet, int row, int column) const {
        return sheet.value(shown_, row, column);
    }
    bool isEdited(const Sheet& sheet, int row, int column) const;
    bool isEdited(const Sheet& sheet, int row) const;
    bool isConflict(const Sheet& sheet, int row) const;
    bool hasEdits() const;

    // Sets a cell by its field's entry rule: the refusal, or empty.
    QString enter(const Sheet& sheet, int row, int column, const QString& text);

    // The bytes of a field that entries changed: what one step of undo puts back.
    struct Change {
        int sheet;
        int row;
        qint64 offset;
        QByteArray before;
        QByteArray after;
    };
    // The changes made by enter() since the last call (or load), each field once.
    QList<Change> takeChanges();
    // Shows each field of `changes` as it was before them, or after them again. A record
    // left without edits shows the file as it is now.
    void restore(const QList<Change>& changes, bool before);

    // What an Apply writes: the changed fields of every edited record not in conflict.
    struct Pending {
        QList<rom::Span> spans;
        int records = 0;
        QStringList conflicts; // the labels of the records in conflict
    };
    Pending pending() const;

  private:
    using Record = std::pair<int, int>; // sheet index, row
    bool isEdited(const Record& record) const;
    bool holdsEdits(const QByteArray& file, const Record& record) const;

    QByteArray file_;
    QByteArray base_;
    QByteArray shown_;
    Names names_;
    std::set<Record> touched_; // since the last load; some may be back to what they were
    QList<Change> changes_;
    QHash<qint64, qsizetype> changeAt_; // offset -> index in changes_
};

} // namespace tables
