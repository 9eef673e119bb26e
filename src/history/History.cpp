#include "history/History.h"

#include "history/Statement.h"

#include "records/Kinds.h"
#include "rom/Plural.h"
#include "rom/RomFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QStandardPaths>
#include <QUrl>
#include <QVariant>

#include <algorithm>
#include <vector>

namespace history {
namespace {

// Databases of earlier releases have the first two tables and user_version 0, or the three
// tables without the redo index and user_version 1.
const QStringList kSchema = {
    "PRAGMA journal_mode=WAL",
    "CREATE TABLE IF NOT EXISTS entries (id INTEGER PRIMARY KEY, file TEXT NOT NULL, "
    "time TEXT NOT NULL, page TEXT NOT NULL, row INTEGER NOT NULL, name TEXT NOT NULL, "
    "undone INTEGER NOT NULL DEFAULT 0, undone_order INTEGER, redoable INTEGER NOT NULL "
    "DEFAULT 1)",
    "CREATE TABLE IF NOT EXISTS spans (entry INTEGER NOT NULL REFERENCES entries(id), "
    "position INTEGER NOT NULL, offset INTEGER NOT NULL, before BLOB NOT NULL, "
    "after BLOB NOT NULL)",
    "CREATE TABLE IF NOT EXISTS pending (entry INTEGER PRIMARY KEY REFERENCES entries(id), "
    "step INTEGER NOT NULL)",
    "CREATE INDEX IF NOT EXISTS entries_by_file ON entries(file)",
    "CREATE INDEX IF NOT EXISTS spans_by_entry ON spans(entry)",
    // Added in version 2: the next redo without a look at every entry of the file.
    "CREATE INDEX IF NOT EXISTS undone_by_file ON entries(file, undone_order) WHERE undone = 1",
    "PRAGMA user_version = 2"};
constexpr int kSchemaVersion = 2;
const QString kBusyTimeout = QStringLiteral("QSQLITE_BUSY_TIMEOUT=250");
// An entry whose Apply has not reached the file yet is in no list.
const QString kNotPendingApply =
    QStringLiteral("AND id NOT IN (SELECT entry FROM pending WHERE step = 0)");

int nextConnection() {
    static int counter = 0;
    return ++counter;
}

bool insertSpans(Queries& query, qint64 entry, const QList<rom::Span>& spans) {
    for (int n = 0; n < spans.size(); ++n)
        if (!query.run(
                "INSERT INTO spans (entry, position, offset, before, after) VALUES (?, ?, ?, ?, ?)",
                {entry, n, spans[n].offset, spans[n].before, spans[n].after}))
            return false;
    return true;
}

// What the file holds of an entry's changed bytes, and the entry cut down to what it holds:
// each span's bytes that the file holds new stay new, the others become the old ones.
struct Holding {
    enum class Part { All, None, Some } part = Part::All;
    QList<rom::Span> spans;
};

Holding holdingOf(const QList<rom::Span>& spans, const rom::RomFile& rom) {
    bool all = true;
    bool any = false;
    Holding holding;
    for (const rom::Span& span : spans) {
        const QByteArray there = rom.readBytes(span.offset, span.after.size());
        rom::Span kept{span.offset, span.before, span.before};
        for (qsizetype i = 0; i < span.after.size() && i < span.before.size(); ++i) {
            if (span.before[i] == span.after[i])
                continue;
            const bool held = there[i] == span.after[i];
            kept.after[i] = held ? span.after[i] : span.before[i];
            all = all && held;
            any = any || held;
        }
        if (kept.changes())
            holding.spans << kept;
    }
    holding.part = all ? Holding::Part::All : any ? Holding::Part::Some : Holding::Part::None;
    return holding;
}

// `positions` gives, span by span as they were appended, each span's position and entry.
void putSpansInOrder(QList<Entry>& entries,
                     const std::vector<std::pair<qint64, qsizetype>>& positions) {
    std::vector<std::vector<std::pair<qint64, rom::Span>>> byEntry(entries.size());
    std::vector<qsizetype> taken(entries.size(), 0);
    for (const auto& [position, entry] : positions)
        byEntry[entry].emplace_back(position, entries[entry].spans[taken[entry]++]);
    for (qsizetype entry = 0; entry < entries.size(); ++entry) {
        std::stable_sort(byEntry[entry].begin(), byEntry[entry].end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        entries[entry].spans.clear();
        for (auto& [position, span] : byEntry[entry])
            entries[entry].spans.append(std::move(span));
    }
}

// The entries' ids in ascending order, each with its index in `entries`.
std::vector<std::pair<qint64, qsizetype>> idsInOrder(const QList<Entry>& entries) {
    std::vector<std::pair<qint64, qsizetype>> ids;
    ids.reserve(entries.size());
    for (qsizetype n = 0; n < entries.size(); ++n)
        ids.emplace_back(entries[n].id, n);
    if (std::is_sorted(ids.rbegin(), ids.rend())) // newest first, as lists read them
        std::reverse(ids.begin(), ids.end());
    else
        std::sort(ids.begin(), ids.end());
    return ids;
}

const QString kMarkUndone = QStringLiteral(
    "UPDATE entries SET undone = 1, undone_order = (SELECT IFNULL(MAX(undone_order), "
    "0) + 1 FROM entries) WHERE id = ? AND undone = 0");
const QString kMarkInEffect =
    QStringLiteral("UPDATE entries SET undone = 0, undone_order = NULL WHERE id = ?");
const QString kEndPending = QStringLiteral("DELETE FROM pending WHERE entry = ?");

// Ends the pending step of entry `id`, which the file holds as `holding` says.
bool resolve(Queries& query, qint64 id, Step step, const Holding& holding) {
    bool done = true;
    if (holding.part == Holding::Part::None && step == Step::Apply)
        done = query.run("DELETE FROM spans WHERE entry = ?", {id}) &&
               query.run("DELETE FROM entries WHERE id = ?", {id});
    else if (holding.part == Holding::Part::None)
        done = query.run(kMarkUndone, {id});
    else if (holding.part == Holding::Part::Some)
        done = query.run("DELETE FROM spans WHERE entry = ?", {id}) &&
               insertSpans(query, id, holding.spans) && query.run(kMarkInEffect, {id});
    else if (step != Step::Apply) // a Redo that reached the file, or an Undo that did not,
        done = query.run(kMarkInEffect, {id}); // whether or not the entry was undone before
    return done && query.run(kEndPending, {id});
}

std::optional<Step> pendingStep(Queries& query, qint64 id) {
    if (!query.run("SELECT step FROM pending WHERE entry = ?", {id}) || !query.rows().next())
        return std::nullopt;
    const qint64 step = query.rows().number(0);
    if (step < 0 || step > qint64(Step::Redo))
        return std::nullopt;
    return Step(step);
}

} // namespace

QString RecordRef::label() const {
    const QString records = rom::counted(row, QStringLiteral("record"), QStringLiteral("records"));
    if (isTableImport())
        return QStringLiteral("Import of %1 from tables").arg(records);
    if (isTableEdit())
        return QStringLiteral("Table edit of %1").arg(records);
    if (kind == Kind::Formula)
        return QStringLiteral("Formula ") + name;
    if (isPatch())
        return QStringLiteral("Patch %1: %2").arg(name, records);
    return records::recordLabel(page, row, name);
}

namespace {

const QString kStoredImport = QStringLiteral("tables");
const QString kStoredTableEdit = QStringLiteral("table-edit");
const QString kStoredFormula = QStringLiteral("formula");
const QString kStoredPatch = QStringLiteral("patch");

} // namespace

QString storedPage(const RecordRef& record) {
    if (record.isTableImport())
        return kStoredImport;
    if (record.isTableEdit())
        return kStoredTableEdit;
    if (record.kind == RecordRef::Kind::Formula)
        return kStoredFormula;
    if (record.isPatch())
        return kStoredPatch;
    return QLatin1String(records::kindInfo(record.page).storedWord);
}

std::optional<RecordRef> recordFromStored(const QString& page, int row, const QString& name) {
    if (page == kStoredImport)
        return RecordRef::tableImport(row);
    if (page == kStoredTableEdit)
        return RecordRef::tableEdit(row);
    if (page == kStoredFormula)
        return RecordRef::formula(row, name);
    if (page == kStoredPatch)
        return RecordRef::patch(name, row);
    if (const std::optional<records::RecordKind> kind = records::kindOfStoredWord(page))
        return RecordRef{*kind, row, name};
    return std::nullopt;
}

QString History::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Quillmark/valdric-history.sqlite");
}

History::History(QString path)
    : path_(std::move(path)), connection_(QStringLiteral("history-%1").arg(nextConnection())),
      queries_(std::make_unique<Queries>(connection_)) {}

History::~History() {
    close();
}

bool History::fail(const QString& what, const QString& why) {
    problem_ = QStringLiteral("%1 (%2)").arg(what, why.isEmpty() ? QStringLiteral("no reason given")
                                                                 : why);
    return false;
}

void History::close() {
    opened_ = false;
    queries_->clear();
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

bool History::connect(const QString& name, const QString& options) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(name);
    db.setConnectOptions(options);
    return db.open() ||
           fail(QStringLiteral("%1 cannot be opened").arg(path_), db.lastError().text());
}

bool History::prepareSchema() {
    Queries query(connection_);
    const auto failed = [&](const QString& what) {
        busy_ = query.busy();
        return fail(what.arg(path_), query.error());
    };
    if (!query.run("PRAGMA user_version") || !query.rows().next())
        return failed(QStringLiteral("%1 cannot be read"));
    if (query.rows().number(0) >= kSchemaVersion)
        return true;
    for (const QString& statement : kSchema)
        if (!query.run(statement))
            return failed(QStringLiteral("%1 cannot be used"));
    return true;
}

// As it is on the disk (SQLite's immutable mode, which needs no lock). A database of an
// earlier release has no pending steps.
bool History::connectReadOnly() {
    if (!QFileInfo(path_).isFile() ||
        !connect(QUrl::fromLocalFile(path_).toString() + QStringLiteral("?immutable=1"),
                 QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI")))
        return false;
    Queries query(connection_);
    return query.run("SELECT COUNT(*) FROM entries") &&
           ((query.run("SELECT 1 FROM sqlite_master WHERE name = 'pending'") &&
             query.rows().next()) ||
            query.run("CREATE TEMP TABLE pending (entry INTEGER PRIMARY KEY, step INTEGER)"));
}

// Opened on first use and tried again after every failure. A database that cannot be
// written is only read; one that is busy is left for the next call.
bool History::open(bool writing) {
    if (opened_ && !(writing && readOnly_))
        return true;
    close();
    readOnly_ = busy_ = false;
    if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
        return fail(QStringLiteral("the folder of %1 cannot be made").arg(path_), QString());
    if (connect(path_, kBusyTimeout) && prepareSchema()) {
        problem_.clear();
        ++openings_;
        return opened_ = true;
    }
    const QString why = problem_;
    close();
    const bool readable = !busy_ && connectReadOnly();
    problem_ = why;
    if (!readable) {
        close();
        return false;
    }
    opened_ = readOnly_ = true;
    ++openings_;
    return !writing;
}

// One transaction; a durable one is on the disk when it returns.
bool History::transact(bool durable, const std::function<bool(Queries&)>& work) {
    Queries& query = *queries_;
    const bool done =
        query.run(durable ? "PRAGMA synchronous = FULL" : "PRAGMA synchronous = NORMAL") &&
        query.run("BEGIN IMMEDIATE");
    if (done && work(query) && query.run("COMMIT")) {
        problem_.clear();
        return true;
    }
    fail(QStringLiteral("%1 cannot be written").arg(path_), query.error());
    query.run("ROLLBACK");
    return false;
}

std::optional<qint64> History::beginApply(const QString& file, const RecordRef& record,
                                          const QList<rom::Span>& spans) {
    QList<rom::Span> changed;
    for (const rom::Span& span : spans)
        if (span.changes())
            changed << span;
    qint64 id = 0;
    const auto insert = [&](Queries& query) {
        if (!query.run("INSERT INTO entries (file, time, page, row, name) VALUES (?, ?, ?, ?, ?)",
                       {file, QDateTime::currentDateTime().toString(Qt::ISODateWithMs),
                        storedPage(record), record.row,
                        record.name.isNull() ? QStringLiteral("") : record.name}))
            return false;
        id = query.rows().lastInsertId();
        // A new entry ends what could be redone.
        return insertSpans(query, id, changed) &&
               query.run("INSERT INTO pending (entry, step) VALUES (?, ?)",
                         {id, int(Step::Apply)}) &&
               query.run("UPDATE entries SET redoable = 0 WHERE file = ? AND undone = 1", {file});
    };
    if (changed.isEmpty() || !open(true) || !transact(true, insert))
        return std::nullopt;
    return id;
}

bool History::beginStep(qint64 id, Step step) {
    return open(true) && transact(true, [&](Queries& query) {
               return query.run("INSERT OR REPLACE INTO pending (entry, step) VALUES (?, ?)",
                                {id, int(step)});
           });
}

// Not durable: should it be lost, the next opening settles the step by the file alone.
bool History::finish(qint64 id, Step step) {
    if (!open(true))
        return false;
    if (step == Step::Apply) { // all it takes, in the time of every Apply
        return (queries_->run("PRAGMA synchronous = NORMAL") && queries_->run(kEndPending, {id})) ||
               fail(QStringLiteral("%1 cannot be written").arg(path_), queries_->error());
    }
    return transact(false, [&](Queries& query) {
        return resolve(query, id, step,
                       {step == Step::Undo ? Holding::Part::None : Holding::Part::All, {}});
    });
}

std::optional<RecordRef> History::settle(qint64 id, const rom::RomFile& rom) {
    const QList<Entry> found = select(QStringLiteral("id = ?"), {id}, QStringLiteral("id"), 1);
    if (found.isEmpty() || !open(true))
        return std::nullopt;
    const Holding holding = holdingOf(found.first().spans, rom);
    const bool settled = transact(true, [&](Queries& query) {
        const std::optional<Step> step = pendingStep(query, id);
        return step && resolve(query, id, *step, holding);
    });
    if (settled && holding.part == Holding::Part::Some)
        return found.first().record;
    return std::nullopt;
}

QList<RecordRef> History::settleAll(const QString& file, const rom::RomFile& rom) {
    QList<qint64> ids;
    if (open(false) &&
        queries_->run( // the few pending steps first, each looked up by its entry
            "SELECT entry FROM pending CROSS JOIN entries ON entries.id = pending.entry "
            "WHERE entries.file = ? ORDER BY entry",
            {file}))
        while (queries_->rows().next())
            ids << queries_->rows().number(0);
    QList<RecordRef> partly;
    for (const qint64 id : ids)
        if (const std::optional<RecordRef> record = settle(id, rom))
            partly << *record;
    return partly;
}

// The entries chosen, newest or first as `order` says, then their spans: two statements,
// each prepared once per connection, whatever the number of entries.
QList<Entry> History::select(const QString& condition, const QVariantList& values,
                             const QString& order, int limit) {
    QList<Entry> found;
    if (!open(false))
        return found;
    Statement& query =
        queries_->prepared(QStringLiteral("SELECT id, time, page, row, name, undone FROM entries "
                                          "WHERE %1 ORDER BY %2 LIMIT ?")
                               .arg(condition, order));
    if (!query.start(values + QVariantList{limit})) {
        fail(QStringLiteral("%1 cannot be read").arg(path_), query.error());
        return found;
    }
    while (query.next()) {
        // A row no release wrote (another program's, or damage) is passed over.
        const std::optional<RecordRef> record =
            recordFromStored(query.text(2), int(query.number(3)), query.text(4));
        if (record)
            found.append({query.number(0), query.text(1), *record, {}, query.number(5) != 0});
    }
    const bool read = query.error().isEmpty()
                          ? readSpans(found)
                          : fail(QStringLiteral("%1 cannot be read").arg(path_), query.error());
    return read ? found : QList<Entry>();
}

// The spans of `entries`, read as one range of the spans' index from the lowest id to the
// highest, beside the ids in the same order; spans in that range of other entries (another
// file's, or pending ones) are passed over. Each entry's spans are put in their positions'
// order.
bool History::readSpans(QList<Entry>& entries) {
    if (entries.isEmpty())
        return true;
    const std::vector<std::pair<qint64, qsizetype>> ids = idsInOrder(entries);
    Statement& query =
        queries_->prepared(QStringLiteral("SELECT entry, position, offset, before, after FROM "
                                          "spans WHERE entry BETWEEN ? AND ? ORDER BY entry"));
    if (!query.start({ids.front().first, ids.back().first}))
        return fail(QStringLiteral("%1 cannot be read").arg(path_), query.error());
    // Rows of one entry come in the order they were written, which is their positions' order
    // unless another program wrote them; only then are they sorted.
    std::vector<qint64> lastPosition(entries.size(), std::numeric_limits<qint64>::min());
    std::vector<std::pair<qint64, qsizetype>> positions; // of every span kept, by entry
    bool ordered = true;
    auto id = ids.cbegin();
    while (query.next()) {
        const qint64 entry = query.number(0);
        while (id != ids.cend() && id->first < entry)
            ++id;
        if (id == ids.cend() || id->first != entry || query.isNull(2)) // no place: damage
            continue;
        const qsizetype index = id->second;
        const qint64 position = query.number(1);
        ordered = ordered && position >= lastPosition[index];
        lastPosition[index] = position;
        positions.emplace_back(position, index);
        entries[index].spans.append({query.number(2), query.bytes(3), query.bytes(4)});
    }
    if (!query.error().isEmpty())
        return fail(QStringLiteral("%1 cannot be read").arg(path_), query.error());
    if (!ordered)
        putSpansInOrder(entries, positions);
    return true;
}

std::optional<Entry> History::first(const QString& file, const QString& condition,
                                    const QString& order) {
    const QList<Entry> found =
        select(QStringLiteral("file = ? %1 %2").arg(kNotPendingApply, condition), {file}, order, 1);
    return found.isEmpty() ? std::nullopt : std::optional<Entry>(found.first());
}

QList<Entry> History::entries(const QString& file, qint64 olderThan, int count) {
    return select(QStringLiteral("file = ? AND id < ? %1").arg(kNotPendingApply), {file, olderThan},
                  QStringLiteral("id DESC"), count);
}

std::optional<Entry> History::entry(qint64 id) {
    const QList<Entry> found =
        select(QStringLiteral("id = ? %1").arg(kNotPendingApply), {id}, QStringLiteral("id"), 1);
    return found.isEmpty() ? std::nullopt : std::optional<Entry>(found.first());
}

std::optional<std::pair<int, qint64>> History::changeMark() {
    if (!open(false))
        return std::nullopt;
    if (!queries_->run(QStringLiteral("PRAGMA data_version")) || !queries_->rows().next())
        return std::nullopt;
    const qint64 version = queries_->rows().number(0);
    queries_->rows().finish();
    return std::pair(openings_, version);
}

std::optional<Entry> History::nextUndo(const QString& file) {
    return first(file, QStringLiteral("AND undone = 0"), QStringLiteral("id DESC"));
}

std::optional<Entry> History::nextRedo(const QString& file) {
    return first(file, QStringLiteral("AND undone = 1 AND redoable = 1"),
                 QStringLiteral("undone_order DESC"));
}

} // namespace history
