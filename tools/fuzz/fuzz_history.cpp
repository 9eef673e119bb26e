// The history's settle and version logic. The input is a run of steps as the editor takes
// them (an Apply of spans with offsets, lengths and bytes of any kind, an undo, a redo, each
// left pending or finished), then damage as a disk fault or another program could leave it
// (spans moved, steps and record words no release writes); then the program "ends", the file
// is opened again and every pending step is settled against the synthetic image.
#include "Fuzz.h"

#include "history/History.h"
#include "history/Statement.h"
#include "history/Versions.h"
#include "rom/RomFile.h"

#include <QSqlDatabase>
#include <QVariant>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const QString kFile = QStringLiteral("/fuzz/valdric.smc");

// The image's byte at `offset` + `i` (an offset may be anything a damaged history holds, so
// the sum is not made before it is known to lie in the image), 0 outside it as RomFile reads.
char imageByte(qint64 offset, qsizetype i) {
    const QByteArray& image = fuzz::image();
    return offset >= -i && offset < image.size() - i ? image[offset + i] : '\0';
}

// Bytes the length the input says: the image's bytes at `offset`, XORed with the input's.
QByteArray spanBytes(fuzz::Input& input, qint64 offset) {
    QByteArray bytes = input.bytes(input.byte() % 17);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(bytes[i] ^ imageByte(offset, i));
    return bytes;
}

qint64 offsetOf(fuzz::Input& input) {
    switch (input.byte() % 4) {
    case 0:
        return 0xFFC0 + input.byte();
    case 1:
        return fuzz::image().size() - 16 + qint8(input.byte());
    case 2:
        return qint64(input.number(3));
    default:
        return qint64(input.number(8));
    }
}

QList<rom::Span> spansOf(fuzz::Input& input) {
    QList<rom::Span> spans;
    for (int n = input.byte() % 4; n >= 0; --n) {
        const qint64 offset = offsetOf(input);
        const QByteArray before = spanBytes(input, offset);
        spans.append({offset, before, spanBytes(input, offset)});
    }
    return spans;
}

// The one database of the run, with a connection of its own beside the History's: emptied before
// each input rather than made anew with its schema.
const QString kDatabase = QStringLiteral("fuzz");

QSqlDatabase database() {
    static const bool opened = [] {
        const QString path = fuzz::scratchFolder() + QStringLiteral("/history.sqlite");
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kDatabase);
        db.setDatabaseName(path);
        return db.open();
    }();
    fuzz::require(opened, "the database opens");
    return QSqlDatabase::database(kDatabase, false);
}

// The target's own statements, each prepared once on its connection, as the History keeps
// its own; the tables are there (see tablesMade).
history::Queries& queries() {
    static history::Queries kept(kDatabase);
    fuzz::require(database().isOpen(), "the database opens");
    return kept;
}

// Each change made by the target itself is one transaction: the end state is the same as with
// one commit per statement.
void emptyDatabase() {
    queries().run("BEGIN");
    for (const char* table : {"spans", "pending", "entries"})
        queries().run(QStringLiteral("DELETE FROM ") + QLatin1String(table));
    queries().run("COMMIT");
}

// At most 8 entries, each with 3 places to damage: a later change to a place only writes over
// an earlier one, so more than this many changes reach no other database.
constexpr int kDamages = 8 * 3;

void damage(fuzz::Input& input, const QList<qint64>& ids) {
    const QString sql[] = {"UPDATE spans SET offset = ? WHERE entry = ?",
                           "UPDATE pending SET step = ? WHERE entry = ?",
                           "UPDATE entries SET page = ? WHERE id = ?"};
    queries().run("BEGIN");
    for (int n = 0; n < kDamages && !input.empty(); ++n) {
        const int what = input.byte() % 3;
        const qint64 value = qint64(input.number(8));
        QVariant damaged = value;
        if (what == 2) // no word a release writes
            damaged = QString::fromLatin1(QByteArray::number(value % 7));
        else if (what == 1) // no step a release writes
            damaged = value < 0 ? value : 3 + value % 5;
        queries().run(sql[what],
                      {damaged, ids.value(input.byte() % std::max<qsizetype>(ids.size(), 1))});
    }
    queries().run("COMMIT");
}

// The steps the editor takes (as many as the first byte says, up to 8), each left pending or
// finished; the entries made.
QList<qint64> takeSteps(fuzz::Input& input, history::History& log) {
    QList<qint64> ids;
    for (int n = input.byte() % 9; n > 0; --n) {
        const quint8 what = input.byte();
        const bool finish = what & 0x80;
        if (what % 3 == 0 || ids.isEmpty()) {
            const history::RecordRef record{records::RecordKind::Enemy, int(input.byte()), "Horn"};
            if (const std::optional<qint64> id = log.beginApply(kFile, record, spansOf(input))) {
                ids << *id;
                if (finish)
                    log.finish(*id, history::Step::Apply);
            }
            continue;
        }
        const qint64 id = ids[input.byte() % ids.size()];
        const history::Step step = what % 3 == 1 ? history::Step::Undo : history::Step::Redo;
        if (log.beginStep(id, step) && finish)
            log.finish(id, step);
    }
    return ids;
}

// Whether the image holds the new byte of every changed place of the entry (`all`), or none.
bool holds(const history::Entry& entry, bool all) {
    for (const rom::Span& span : entry.spans)
        for (qsizetype i = 0; i < std::min(span.before.size(), span.after.size()); ++i) {
            const char there = imageByte(span.offset, i);
            if (span.before[i] != span.after[i] && (there == span.after[i]) != all)
                return false;
        }
    return true;
}

QList<qint64> pendingIds() {
    QList<qint64> ids;
    if (queries().run("SELECT entry FROM pending JOIN entries ON id = entry WHERE "
                      "step BETWEEN 0 AND 2 AND page = 'enemy'"))
        while (queries().rows().next())
            ids << queries().rows().number(0);
    return ids;
}

// A copy of the image of this run's own, handed to versionAfter whole so that no call copies
// 4 MiB again; afterwards the bytes any entry could have changed are put back.
QByteArray& scratch() {
    static QByteArray bytes(fuzz::image().constData(), fuzz::image().size());
    return bytes;
}

// The bytes of the image a span could reach, and kMargin more on each side.
constexpr qint64 kMargin = 16;
std::pair<qint64, qint64> near(const rom::Span& span, qint64 size) {
    const qint64 length = std::max(span.before.size(), span.after.size());
    const qint64 from = std::clamp<qint64>(span.offset, kMargin, size) - kMargin;
    const qint64 to = span.offset >= size - length - kMargin
                          ? size
                          : std::max(from, span.offset + length + kMargin);
    return {from, to};
}

void restore(QByteArray& bytes, const QList<history::Entry>& entries) {
    const QByteArray& image = fuzz::image();
    if (bytes.size() != image.size()) {
        bytes = QByteArray(image.constData(), image.size());
        return;
    }
    for (const history::Entry& entry : entries)
        for (const rom::Span& span : entry.spans) {
            const auto [from, to] = near(span, image.size());
            std::copy(image.begin() + from, image.begin() + to, bytes.begin() + from);
        }
}

// Whether `bytes` is the image: every byte near a span of the entries (the only places
// versionAfter writes, with a margin for a write that lands a little off), and all 4 MiB at
// every 256th call as a guard.
bool isImage(const QByteArray& bytes, const QList<history::Entry>& entries) {
    static unsigned calls = 0;
    const QByteArray& image = fuzz::image();
    if (bytes.size() != image.size())
        return false;
    if (++calls % 256 == 0)
        return bytes == image;
    for (const history::Entry& entry : entries)
        for (const rom::Span& span : entry.spans) {
            const auto [from, to] = near(span, image.size());
            if (!std::equal(bytes.begin() + from, bytes.begin() + to, image.begin() + from))
                return false;
        }
    return true;
}

// versionAfter(image, entries, kept) made in the scratch copy: whether it has the image's size,
// and, when `same` is asked, whether it is the image itself.
bool versionIs(const QList<history::Entry>& entries, std::optional<qint64> kept, bool* same) {
    QByteArray& bytes = scratch();
    bytes = history::versionAfter(std::move(bytes), entries, kept);
    const bool sized = bytes.size() == fuzz::image().size();
    if (same)
        *same = isImage(bytes, entries);
    restore(bytes, entries);
    return sized;
}

// The original has the image's size, and a byte that one span alone of the entries in effect
// covers (a span that lies within the image; the others are passed over) holds that span's
// old byte.
bool originalHoldsOldBytes(const QList<history::Entry>& entries) {
    const qint64 size = fuzz::image().size();
    std::vector<std::pair<qint64, char>> old; // offset and old byte, for every span over it
    for (const history::Entry& entry : entries)
        for (const rom::Span& span : entry.spans)
            if (!entry.undone && span.offset >= 0 && span.offset <= size - span.before.size())
                for (qsizetype i = 0; i < span.before.size(); ++i)
                    old.emplace_back(span.offset + i, span.before[i]);
    std::sort(old.begin(), old.end(), [](auto& a, auto& b) { return a.first < b.first; });
    QByteArray& bytes = scratch();
    bytes = history::versionAfter(std::move(bytes), entries, std::nullopt);
    bool holds = bytes.size() == size;
    for (std::size_t n = 0; n < old.size() && holds; ++n) {
        const bool alone = (n == 0 || old[n - 1].first != old[n].first) &&
                           (n + 1 == old.size() || old[n + 1].first != old[n].first);
        holds = !alone || std::as_const(bytes)[old[n].first] == old[n].second;
    }
    restore(bytes, entries);
    return holds;
}

void checkVersions(history::History& log) {
    const QList<history::Entry> entries = log.entries(kFile);
    bool same = false;
    fuzz::require(versionIs({}, std::nullopt, &same) && same, "no entries, no change");
    fuzz::require(originalHoldsOldBytes(entries),
                  "the original has the image's size and the old bytes of the changes");
    for (const history::Entry& entry : entries)
        fuzz::require(versionIs(entries, entry.id, nullptr), "every version has the image's size");
    if (!entries.isEmpty() && !entries.first().undone)
        fuzz::require(versionIs(entries, entries.first().id, &same) && same,
                      "the version after the newest change in effect is the file");
    const std::optional<history::Entry> undo = log.nextUndo(kFile);
    const std::optional<history::Entry> redo = log.nextRedo(kFile);
    fuzz::require((!undo || !undo->undone) && (!redo || redo->undone), "undo and redo kinds");
}

// Two histories kept for the whole run, each with its connection: one takes the steps, the
// other, which has seen none of them, settles as the next run of the editor would. A History
// keeps nothing of the database in memory but its prepared reads, so this is what a new one
// would find, without opening the database twice per input.
history::History& historyOf(bool settling) {
    static history::History stepping(database().databaseName());
    static history::History opening(database().databaseName());
    return settling ? opening : stepping;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    static const bool tablesMade = historyOf(false).entries(kFile).isEmpty(); // the first opening
    fuzz::require(tablesMade, "the database starts empty");
    emptyDatabase();
    static fuzz::MemoryFile file(fuzz::image(), fuzz::image().size());
    const QList<qint64> ids = takeSteps(input, historyOf(false));
    damage(input, ids);
    const QList<qint64> pending = pendingIds();
    rom::RomFile rom;
    fuzz::require(rom.open(file.path()), "the image opens");
    history::History& log = historyOf(true);
    log.settleAll(kFile, rom);
    fuzz::require(pendingIds().isEmpty(), "every pending step is settled");
    for (const history::Entry& entry : log.entries(kFile))
        if (pending.contains(entry.id))
            fuzz::require(holds(entry, !entry.undone), "a settled entry is what the file holds");
    checkVersions(log);
    return 0;
}
