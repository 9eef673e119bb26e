#pragma once

#include "records/Kinds.h"
#include "rom/Span.h"

#include <QDateTime>
#include <QString>
#include <QVariantList>

#include <functional>
#include <limits>
#include <memory>
#include <optional>

namespace rom {
class RomFile;
}

namespace history {

class Queries;

// What an entry changed: one record (the page it was made on, the row of the page's list
// and the name that row showed), or many records at once from the tables, the table window
// or a formula from the command line (row is then the number of records, and a formula's
// name says what it set: "HP = x*2 on 11 enemies").
struct RecordRef {
    enum class Kind { Record, TableImport, TableEdit, Formula, Patch };
    records::RecordKind page = records::RecordKind::Misc;
    int row = 0;
    QString name;
    Kind kind = Kind::Record;

    static RecordRef tableImport(int records) {
        return {records::RecordKind::Misc, records, QString(), Kind::TableImport};
    }
    static RecordRef tableEdit(int records) {
        return {records::RecordKind::Misc, records, QString(), Kind::TableEdit};
    }
    static RecordRef formula(int records, const QString& what) {
        return {records::RecordKind::Misc, records, what, Kind::Formula};
    }
    // A patch applied as a whole: name is the patch file's name.
    static RecordRef patch(const QString& fileName, int records) {
        return {records::RecordKind::Misc, records, fileName, Kind::Patch};
    }
    bool isTableImport() const { return kind == Kind::TableImport; }
    bool isPatch() const { return kind == Kind::Patch; }
    bool isTableEdit() const { return kind == Kind::TableEdit; }
    // An import, a table edit, a formula or a patch: its spans belong to many records.
    bool coversManyRecords() const { return kind != Kind::Record; }

    // "Enemy 5 Horn's", "Character 3 Dunmore", "Item 12 Longsword", "Internal ROM header",
    // "Import of 40 records from tables", "Table edit of 1 record",
    // "Formula HP = x*2 on 11 enemies", "Patch friend-hack.bps: 38 records".
    QString label() const;
};

// How a RecordRef is kept in the database: the page's word there ("enemy", "char", "item",
// "misc", "tables" for an import, "table-edit" for the table window, "formula" for a
// formula from the command line, "patch" for a patch). Databases of earlier releases hold
// the same words.
QString storedPage(const RecordRef& record);
// Nothing for a word no release writes.
std::optional<RecordRef> recordFromStored(const QString& page, int row, const QString& name);

struct Entry {
    qint64 id = 0;
    QString storedTime; // local time as ISO 8601 text, read as a date only when shown
    RecordRef record;
    QList<rom::Span> spans; // only those that changed
    bool undone = false;

    QDateTime time() const { return QDateTime::fromString(storedTime, Qt::ISODateWithMs); }
};

// What a pending entry changes: an Apply puts its new bytes in, an Undo takes them back
// out and a Redo puts them in again.
enum class Step { Apply = 0, Undo = 1, Redo = 2 };

// The record of every change, kept per file (by canonical path) in a SQLite database, so it
// outlives the program. Undo takes back the newest entry still in effect, redo puts back the
// one undone last; a new entry ends what could be redone.
//
// Write-ahead: a step is recorded as pending (an Apply with its spans, in one durable
// transaction) before the file is written, and finished once the file holds it. A step
// still pending when its file is opened again (the program ended in between) is settled
// by what the file holds. An entry whose Apply is pending is in no list.
//
// A busy database is waited for at most 250 ms. Whatever fails is tried again at the next
// call; problem() says why the last attempt failed. A database that can be read but not
// written still lists its entries.
class History {
  public:
    // $XDG_DATA_HOME/Quillmark/valdric-history.sqlite.
    static QString defaultPath();

    explicit History(QString path = defaultPath());
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    QString problem() const { return problem_; }
    bool isReadOnly() const { return readOnly_; }

    // An Apply of the changed ones among `spans`, pending; nothing when it could not be
    // recorded.
    std::optional<qint64> beginApply(const QString& file, const RecordRef& record,
                                     const QList<rom::Span>& spans);
    // The undo or redo of entry `id`, pending. False when it could not be recorded.
    bool beginStep(qint64 id, Step step);
    // The file holds the pending `step` of `id` whole.
    bool finish(qint64 id, Step step);
    // Decides the pending step of `id` by what `rom` holds of the entry's changed bytes: all
    // of its new bytes, the entry is in effect; none, it is not (a pending Apply is dropped);
    // a part, the entry becomes that part, in effect. The entry's record when the file
    // holds a part.
    std::optional<RecordRef> settle(qint64 id, const rom::RomFile& rom);
    // Settles every pending step of `file`; the records of which the file holds a part.
    QList<RecordRef> settleAll(const QString& file, const rom::RomFile& rom);

    // Newest first: every entry, or `count` of those older than `olderThan`.
    QList<Entry> entries(const QString& file, qint64 olderThan = std::numeric_limits<qint64>::max(),
                         int count = -1);
    // The entry `id` as it is now; nothing when it is in no list.
    std::optional<Entry> entry(qint64 id);
    // Differs from the last one when the database was changed through another connection
    // (another window's history) or opened again; nothing while it cannot be read.
    std::optional<std::pair<int, qint64>> changeMark();
    std::optional<Entry> nextUndo(const QString& file);
    std::optional<Entry> nextRedo(const QString& file);

  private:
    bool open(bool writing);
    bool connect(const QString& name, const QString& options);
    bool prepareSchema();
    bool connectReadOnly();
    void close();
    bool fail(const QString& what, const QString& why);
    bool transact(bool durable, const std::function<bool(Queries&)>& work);
    std::optional<Entry> first(const QString& file, const QString& condition, const QString& order);
    QList<Entry> select(const QString& condition, const QVariantList& values, const QString& order,
                        int limit);
    bool readSpans(QList<Entry>& entries);

    QString path_;
    QString connection_;
    bool opened_ = false;
    bool readOnly_ = false;
    bool busy_ = false; // the last opening found the database locked
    QString problem_;
    int openings_ = 0;
    std::unique_ptr<Queries> queries_; // prepared once per connection
};

} // namespace history
