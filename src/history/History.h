#pragma once

#include "records/PageId.h"
#include "rom/Span.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace history {

// What an entry changed: one record (the page it was made on, the row of the page's list
// and the name that row showed), or many records at once from the tables or the table window
// (row is then the number of records).
struct RecordRef {
    enum class Kind { Record, TableImport, TableEdit };
    records::PageId page = records::PageId::Misc;
    int row = 0;
    QString name;
    Kind kind = Kind::Record;

    static RecordRef tableImport(int records) {
        return {records::PageId::Misc, records, QString(), Kind::TableImport};
    }
    static RecordRef tableEdit(int records) {
        return {records::PageId::Misc, records, QString(), Kind::TableEdit};
    }
    bool isTableImport() const { return kind == Kind::TableImport; }
    bool isTableEdit() const { return kind == Kind::TableEdit; }

    // "Enemy 5 Horn's", "Character 3 Dunmore", "Item 12 Longsword", "Internal ROM header",
    // "Import of 40 records from tables", "Table edit of 12 records".
    QString label() const;
};

// How a RecordRef is kept in the database: the page's word there ("enemy", "char", "item",
// "misc", "tables" for an import, "table-edit" for the table window). Databases of earlier releases
// hold the same words.
QString storedPage(const RecordRef& record);
// Nothing for a word no release writes.
std::optional<RecordRef> recordFromStored(const QString& page, int row, const QString& name);

struct Entry {
    qint64 id = 0;
    QDateTime time;
    RecordRef record;
    QList<rom::Span> spans; // only those that changed
    bool undone = false;
};

// The record of every Apply, kept per file (by canonical path) in a SQLite database, so it
// outlives the program. Each entry is written in one transaction. Undo takes back the
// newest entry still in effect, redo puts back the one undone last; a new entry ends what
// could be redone. Nothing here touches the ROM file. A database that cannot be opened or
// written leaves the history off: every call then does nothing, and problem() says why.
class History {
  public:
    // $XDG_DATA_HOME/Quillmark/valdric-history.sqlite.
    static QString defaultPath();

    explicit History(QString path = defaultPath());
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    QString problem() const { return problem_; }

    // Records the changed spans of an Apply; none changed, nothing recorded.
    void record(const QString& file, const RecordRef& record, const QList<rom::Span>& spans);
    // Newest first.
    QList<Entry> entries(const QString& file);
    std::optional<Entry> nextUndo(const QString& file);
    std::optional<Entry> nextRedo(const QString& file);
    void setUndone(qint64 id, bool undone);

  private:
    bool open();
    bool fail(const QString& what, const QString& why);
    std::optional<Entry> first(const QString& file, const QString& condition, const QString& order);
    QList<Entry> select(const QString& file, const QString& condition, const QString& order,
                        int limit);

    QString path_;
    QString connection_;
    bool opened_ = false;
    QString problem_;
};

} // namespace history
