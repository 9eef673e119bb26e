#include "history/History.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

namespace history {
namespace {

const QStringList kSchema = {
    "PRAGMA journal_mode=WAL",
    "CREATE TABLE IF NOT EXISTS entries (id INTEGER PRIMARY KEY, file TEXT NOT NULL, "
    "time TEXT NOT NULL, page TEXT NOT NULL, row INTEGER NOT NULL, name TEXT NOT NULL, "
    "undone INTEGER NOT NULL DEFAULT 0, undone_order INTEGER, redoable INTEGER NOT NULL "
    "DEFAULT 1)",
    "CREATE TABLE IF NOT EXISTS spans (entry INTEGER NOT NULL REFERENCES entries(id), "
    "position INTEGER NOT NULL, offset INTEGER NOT NULL, before BLOB NOT NULL, "
    "after BLOB NOT NULL)",
    "CREATE INDEX IF NOT EXISTS entries_by_file ON entries(file)",
    "CREATE INDEX IF NOT EXISTS spans_by_entry ON spans(entry)"};

int nextConnection() {
    static int counter = 0;
    return ++counter;
}

} // namespace

QString RecordRef::label() const {
    if (isTableImport())
        return QStringLiteral("Import of %1 records from tables").arg(row);
    if (isTableEdit())
        return QStringLiteral("Table edit of %1 records").arg(row);
    const QString word = records::recordWord(page);
    if (word.isEmpty())
        return QStringLiteral("Internal ROM header");
    return QStringLiteral("%1 %2 %3").arg(word).arg(row).arg(name.trimmed()).trimmed();
}

namespace {

const std::pair<records::PageId, const char*> kStoredPages[] = {
    {records::PageId::Misc, "misc"},
    {records::PageId::Enemy, "enemy"},
    {records::PageId::Character, "char"},
    {records::PageId::Item, "item"}};
const QString kStoredImport = QStringLiteral("tables");
const QString kStoredTableEdit = QStringLiteral("table-edit");

} // namespace

QString storedPage(const RecordRef& record) {
    if (record.isTableImport())
        return kStoredImport;
    if (record.isTableEdit())
        return kStoredTableEdit;
    for (const auto& [page, word] : kStoredPages)
        if (page == record.page)
            return QLatin1String(word);
    return QString();
}

std::optional<RecordRef> recordFromStored(const QString& page, int row, const QString& name) {
    if (page == kStoredImport)
        return RecordRef::tableImport(row);
    if (page == kStoredTableEdit)
        return RecordRef::tableEdit(row);
    for (const auto& [id, word] : kStoredPages)
        if (page == QLatin1String(word))
            return RecordRef{id, row, name};
    return std::nullopt;
}

QString History::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Quillmark/valdric-history.sqlite");
}

History::History(QString path)
    : path_(std::move(path)), connection_(QStringLiteral("history-%1").arg(nextConnection())) {}

History::~History() {
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

bool History::fail(const QString& what, const QString& why) {
    problem_ = QStringLiteral("%1 (%2)").arg(what, why.isEmpty() ? QStringLiteral("no reason given")
                                                                 : why);
    return false;
}

// Opened on first use; once it has failed it stays off for the run.
bool History::open() {
    if (opened_)
        return true;
    if (!problem_.isEmpty())
        return false;
    if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
        return fail(QStringLiteral("the folder of %1 cannot be made").arg(path_), QString());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    if (!db.open())
        return fail(QStringLiteral("%1 cannot be opened").arg(path_), db.lastError().text());
    for (const QString& statement : kSchema) {
        QSqlQuery query(db);
        if (!query.exec(statement))
            return fail(QStringLiteral("%1 cannot be used").arg(path_), query.lastError().text());
    }
    opened_ = true;
    return true;
}

void History::record(const QString& file, const RecordRef& record, const QList<rom::Span>& spans) {
    QList<rom::Span> changed;
    for (const rom::Span& span : spans)
        if (span.changes())
            changed << span;
    if (changed.isEmpty() || !open())
        return;
    QSqlDatabase db = QSqlDatabase::database(connection_);
    const auto failed = [&](const QSqlQuery& query) {
        db.rollback();
        opened_ = false;
        fail(QStringLiteral("%1 cannot be written").arg(path_), query.lastError().text());
    };
    db.transaction();
    QSqlQuery query(db);
    query.prepare("UPDATE entries SET redoable = 0 WHERE file = ? AND undone = 1");
    query.addBindValue(file);
    if (!query.exec())
        return failed(query);
    query.prepare("INSERT INTO entries (file, time, page, row, name) VALUES (?, ?, ?, ?, ?)");
    for (const QVariant& value :
         {QVariant(file), QVariant(QDateTime::currentDateTime().toString(Qt::ISODateWithMs)),
          QVariant(storedPage(record)), QVariant(record.row),
          QVariant(record.name.isNull() ? QStringLiteral("") : record.name)})
        query.addBindValue(value);
    if (!query.exec())
        return failed(query);
    const qint64 id = query.lastInsertId().toLongLong();
    for (int n = 0; n < changed.size(); ++n) {
        query.prepare("INSERT INTO spans (entry, position, offset, before, after) "
                      "VALUES (?, ?, ?, ?, ?)");
        for (const QVariant& value : {QVariant(id), QVariant(n), QVariant(changed[n].offset),
                                      QVariant(changed[n].before), QVariant(changed[n].after)})
            query.addBindValue(value);
        if (!query.exec())
            return failed(query);
    }
    if (!db.commit())
        fail(QStringLiteral("%1 cannot be written").arg(path_), db.lastError().text());
}

QList<Entry> History::select(const QString& file, const QString& condition, const QString& order,
                             int limit) {
    QList<Entry> found;
    if (!open())
        return found;
    QSqlDatabase db = QSqlDatabase::database(connection_);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT id, time, page, row, name, undone FROM entries WHERE "
                                 "file = ? %1 ORDER BY %2 LIMIT %3")
                      .arg(condition, order)
                      .arg(limit));
    query.addBindValue(file);
    if (!query.exec())
        return found;
    while (query.next()) {
        // A row no release wrote (another program's, or damage) is passed over.
        const std::optional<RecordRef> record = recordFromStored(
            query.value(2).toString(), query.value(3).toInt(), query.value(4).toString());
        if (!record)
            continue;
        Entry entry;
        entry.id = query.value(0).toLongLong();
        entry.time = QDateTime::fromString(query.value(1).toString(), Qt::ISODateWithMs);
        entry.record = *record;
        entry.undone = query.value(5).toBool();
        found << entry;
    }
    for (Entry& entry : found) {
        QSqlQuery spans(db);
        spans.prepare("SELECT offset, before, after FROM spans WHERE entry = ? ORDER BY position");
        spans.addBindValue(entry.id);
        spans.exec();
        while (spans.next())
            entry.spans.append({spans.value(0).toLongLong(), spans.value(1).toByteArray(),
                                spans.value(2).toByteArray()});
    }
    return found;
}

std::optional<Entry> History::first(const QString& file, const QString& condition,
                                    const QString& order) {
    const QList<Entry> found = select(file, condition, order, 1);
    return found.isEmpty() ? std::nullopt : std::optional<Entry>(found.first());
}

QList<Entry> History::entries(const QString& file) {
    return select(file, QString(), QStringLiteral("id DESC"), -1);
}

std::optional<Entry> History::nextUndo(const QString& file) {
    return first(file, QStringLiteral("AND undone = 0"), QStringLiteral("id DESC"));
}

std::optional<Entry> History::nextRedo(const QString& file) {
    return first(file, QStringLiteral("AND undone = 1 AND redoable = 1"),
                 QStringLiteral("undone_order DESC"));
}

void History::setUndone(qint64 id, bool undone) {
    if (!open())
        return;
    QSqlQuery query(QSqlDatabase::database(connection_));
    query.prepare(undone ? "UPDATE entries SET undone = 1, undone_order = (SELECT "
                           "IFNULL(MAX(undone_order), 0) + 1 FROM entries) WHERE id = ?"
                         : "UPDATE entries SET undone = 0, undone_order = NULL WHERE id = ?");
    query.addBindValue(id);
    if (!query.exec()) {
        opened_ = false;
        fail(QStringLiteral("%1 cannot be written").arg(path_), query.lastError().text());
    }
}

} // namespace history
