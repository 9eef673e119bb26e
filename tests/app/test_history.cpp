// Safe, recorded, undoable Applies: a record changed by another program, undo and redo on
// every page, only changed bytes written, a program ended part way through a write, two
// windows on one history, the History window, a history that is busy, unusable or read-only,
// old databases; and what builds on it: patches and the checksum.
#include "history/History.h"
#include "history/Versions.h"
#include "history/WriteAhead.h"
#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <optional>
#include <random>

#include <sys/mount.h>

namespace {

void applyEnemy(EditorFixture& f, int row, const char* level, const char* hp = nullptr) {
    f.show("enemy", row);
    if (hp)
        f.enter("EnemyHPTXT", hp);
    f.enter("EnemyLevelTXT", level);
    f.apply();
}

// Child mode: Apply HP 40000 and Level 99 to enemy 5 of `rom` on a disk that ends the
// program after `bytes` more bytes (or at the sync, for -1).
int runCrashingApply(const QString& rom, int bytes) {
    EditorFixture f;
    f.openRom(rom);
    rom::setDiskFault(rom::DiskFault{bytes, bytes < 0, true});
    applyEnemy(f, 5, "99", "40000");
    return 0;
}

// Applies a classic IPS patch as patchers do: "PATCH", records of a 3-byte offset, a 2-byte
// length and the bytes, then "EOF" at the very end. Nothing when a length does not hold.
std::optional<QByteArray> applyIps(QByteArray image, const QByteArray& patch) {
    const auto byte = [&patch](qint64 at) { return qint64(quint8(patch[at])); };
    for (qint64 at = 5; patch.startsWith("PATCH") && at + 3 <= patch.size();) {
        if (patch.mid(at, 3) == "EOF")
            return at + 3 == patch.size() ? std::optional(image) : std::nullopt;
        const qint64 length = at + 5 <= patch.size() ? byte(at + 3) << 8 | byte(at + 4) : 0;
        const qint64 offset = length ? byte(at) << 16 | byte(at + 1) << 8 | byte(at + 2) : 0;
        if (!length || at + 5 + length > patch.size() || offset + length > image.size())
            return {};
        image.replace(offset, length, patch.mid(at + 5, length));
        at += 5 + length;
    }
    return {};
}

// Create Patch as IPS, from an original file when `original` is given, saved to `saveAs`.
void createPatch(EditorFixture& f, const QString& saveAs, const QString& original = {}) {
    f.answerFileDialogs({saveAs});
    QVERIFY(f.withDialog("mnuCreatePatch", [&](QWidget* dialog) {
        auto* format = f.find<QComboBox>("PatchFormatCBO", dialog);
        QTest::keyClick(format, Qt::Key_Home);
        QTest::keyClick(format, Qt::Key_Down);
        if (!original.isEmpty()) {
            f.find<QLineEdit>("PatchOriginalTXT", dialog)->setText(original);
            f.click("PatchFromFileOPT", dialog);
        }
        f.click("PatchCreateCMD", dialog);
    }));
}

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT
  private slots:
    void recordChangedByAnotherProgram();
    void undoAndRedoOnEveryPage();
    void onlyChangedBytesAreWritten();
    void programEndedMidWriteLeavesNothingUnundoable();
    void settlingGoesByTheFileWhicheverStepIsPending();
    void undoActsOnTheEntryItNames();
    void historyWindowShowsEveryChangeAndReloads();
    void historyWindowFillsAsItScrolls();
    void keptVersionsMatchTheWholeHistory();
    void busyHistoryNeverBlocksApply();
    void historyLockedAtOpeningIsTriedAgain();
    void unusableHistoryIsToldOnceAndShown();
    void earlierCurrentAndReadOnlyDatabasesReadBack();
    void fullDiskHeaderRemovalSaysWhy();
    void patchesTurnTheOriginalIntoTheOpenFile();
    void checksumIsUpdatedAsOneUndoableChange();
};

// Apply writes nothing over a change it did not see, says so and shows the file's values.
void HistoryTest::recordChangedByAnotherProgram() {
    EditorFixture f;
    f.openAt(image(), "enemy", 5);
    const QString name = f.find<QListWidget>("EnemyLST")->item(5)->text().trimmed();
    f.enter("EnemyLevelTXT", "99");
    EditorFixture::writeInPlace(f.window().romFile().path(), 0x0C4773,
                                QByteArray::fromHex("3930")); // HP 12345
    QByteArray expected = image();
    expected.replace(0x0C4773, 2, QByteArray::fromHex("3930"));
    f.apply();
    QVERIFY(f.fileBytes() == expected);
    QCOMPARE(f.messageTexts(), QStringList(QString("Enemy 5 %1 was changed by another program "
                                                   "since it was shown; nothing was written. The "
                                                   "page now shows the file's values.")
                                               .arg(name)));
    QCOMPARE(f.find<QLineEdit>("EnemyHPTXT")->text(), QString("12345"));
}

// Undo puts back the old bytes, redo the new ones; an undo over a change made since by
// another program writes nothing.
void HistoryTest::undoAndRedoOnEveryPage() {
    const std::tuple<const char*, int, const char*, const char*, qint64, const char*> cases[] = {
        {"enemy", 5, "EnemyHPTXT", "40000", 0x0C4773, "Enemy 5 "},
        {"char", 3, "CharLevelTXT", "99", 0x0C0102, "Character 3 Dunmore"},
        {"item", 90, "ItemArmorDefenseTXT", "222", 0x0C047E, "Item 90 "},
        {"misc", 0, "ROMVersionTXT", "12", 0x00FFDB, "Internal ROM header"}};
    for (const auto& [tab, row, box, entry, offset, label] : cases) {
        EditorFixture f;
        f.openAt(image(), tab, row);
        QVERIFY(!f.find<QAction>("mnuUndoApply")->isEnabled());
        f.enter(box, entry);
        f.apply();
        const QByteArray applied = f.fileBytes();
        QVERIFY(applied != image());
        QVERIFY(
            f.find<QAction>("mnuUndoApply")->text().startsWith(QString("&Undo Apply: ") + label));
        f.trigger("mnuUndoApply");
        QVERIFY(f.fileBytes() == image());
        QVERIFY(
            f.find<QAction>("mnuRedoApply")->text().startsWith(QString("&Redo Apply: ") + label));
        f.trigger("mnuRedoApply");
        QVERIFY(f.fileBytes() == applied);
        QCOMPARE(f.messageTexts(), QStringList());
        EditorFixture::writeInPlace(f.window().romFile().path(), offset, QByteArray(1, '\x2A'));
        f.trigger("mnuUndoApply");
        QCOMPARE(f.fileBytes().at(offset), '\x2A');
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(
            f.messages[0].text.endsWith("changed since this change was made; nothing was undone."));
    }
}

// HP and Level of enemy 5 lie side by side: changed bytes next to each other are one write,
// unchanged ones (the HP's high byte, every other field) are not written at all.
void HistoryTest::onlyChangedBytesAreWritten() {
    using Writes = QList<std::pair<qint64, qint64>>;
    const std::tuple<const char*, const char*, Writes> cases[] = {
        {"40000", "99", {{0x0C4773, 3}}},               // C0 19 30 -> 40 9C 63
        {"6400", "99", {{0x0C4773, 1}, {0x0C4775, 1}}}, // C0 -> 00, 19 stays
        {"6592", "48", {}}};                            // as loaded
    for (const auto& [hp, level, expected] : cases) {
        EditorFixture f;
        f.openImage(image());
        Writes writes;
        rom::setWriteObserver([&](qint64 at, qint64 length) { writes.append({at, length}); });
        applyEnemy(f, 5, level, hp);
        rom::setWriteObserver({});
        QCOMPARE(writes, expected);
        QCOMPARE(f.find<QAction>("mnuUndoApply")->isEnabled(), !expected.isEmpty());
    }
}

// The program ends (through the disk seam, in a child) before the first byte, after one of
// the three, and at the sync. Opened again, what reached the file is one entry (told when
// it is a part) and undoing everything gives back the original.
void HistoryTest::programEndedMidWriteLeavesNothingUnundoable() {
    const std::tuple<int, QList<qint64>, bool> cases[] = {
        {0, {}, false}, {1, {0x0C4773}, true}, {-1, {0x0C4773, 0x0C4774, 0x0C4775}, false}};
    for (const auto& [bytes, changed, told] : cases) {
        EditorFixture f;
        const QString path = f.writeRom(image());
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {"--child-crash", path, QString::number(bytes)});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), rom::kEndedByFault);
        QCOMPARE(synth::changedOffsets(image(), synth::readFile(path)), changed);
        f.openRom(path);
        QCOMPARE(f.messageTexts().filter("ended while it was writing a change to Enemy 5 ").size(),
                 int(told));
        QCOMPARE(f.messages.size(), int(told));
        QCOMPARE(f.find<QAction>("mnuUndoApply")->isEnabled(), !changed.isEmpty());
        for (int n = 0; n < 3 && f.find<QAction>("mnuUndoApply")->isEnabled(); ++n)
            f.trigger("mnuUndoApply"); // everything there is to undo
        QVERIFY(f.fileBytes() == image());
    }
}

// A Redo that reached the file, its record replaced by another window's Undo of the same
// change before either finished: the file holds the change, so settling leaves it in effect.
void HistoryTest::settlingGoesByTheFileWhicheverStepIsPending() {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.smc");
    synth::writeFile(path, QByteArray::fromHex("0007"));
    history::History log(dir.filePath("log.sqlite"));
    history::History other(dir.filePath("log.sqlite"));
    const auto id =
        log.beginApply(path, {records::RecordKind::Enemy, 0, "E"}, {{1, "\x01", "\x07"}});
    QVERIFY(id && log.finish(*id, history::Step::Apply) &&
            log.beginStep(*id, history::Step::Undo) && log.finish(*id, history::Step::Undo));
    QVERIFY(log.beginStep(*id, history::Step::Redo) && other.beginStep(*id, history::Step::Undo));
    rom::RomFile rom;
    QVERIFY(rom.open(path));
    history::History(dir.filePath("log.sqlite")).settleAll(path, rom);
    QCOMPARE(log.nextUndo(path).value_or(history::Entry()).id, *id);
}

// Window A's menu names its Apply to enemy 5; window B then applies to enemy 6. A's Undo
// undoes nothing and says so; then it names and undoes B's change. Opening the Edit menu
// and activating the window refresh the caption too.
void HistoryTest::undoActsOnTheEntryItNames() {
    EditorFixture a;
    const QString path = a.openImage(image());
    applyEnemy(a, 5, "99");
    EditorFixture b; // made last, it hears the messages of both
    b.openRom(path);
    applyEnemy(b, 6, "77");
    const QList<EditorFixture::Message>& told = b.messages;
    QVERIFY(a.find<QAction>("mnuUndoApply")->text().startsWith("&Undo Apply: Enemy 5 "));
    a.trigger("mnuUndoApply");
    QByteArray both = image();
    both[0x0C4775] = 99;
    both[0x0C478C] = 77;
    QVERIFY(a.fileBytes() == both);
    QCOMPARE(told.size(), 1);
    QCOMPARE(told[0].icon, ui::MessageIcon::Information);
    QVERIFY(told[0].text.contains("nothing was undone"));
    QVERIFY(a.find<QAction>("mnuUndoApply")->text().startsWith("&Undo Apply: Enemy 6 "));
    a.trigger("mnuUndoApply");
    both[0x0C478C] = image()[0x0C478C];
    QVERIFY(a.fileBytes() == both);
    const std::pair<int, std::function<void()>> refreshes[] = {
        {7, [&] { emit a.find<QMenu>("mnuEdit")->aboutToShow(); }},
        {8, [&] {
             QEvent activate(QEvent::WindowActivate);
             QApplication::sendEvent(&a.window(), &activate);
         }}};
    for (const auto& [row, refresh] : refreshes) {
        const QString caption = QString("&Undo Apply: Enemy %1 ").arg(row);
        applyEnemy(b, row, "55");
        QVERIFY(!a.find<QAction>("mnuUndoApply")->text().startsWith(caption));
        refresh();
        QVERIFY(a.find<QAction>("mnuUndoApply")->text().startsWith(caption));
        a.trigger("mnuUndoApply");
    }
    QVERIFY(a.fileBytes() == both && a.find<QAction>("mnuRedoApply")->isEnabled());
    applyEnemy(a, 9, "1"); // a new change ends what could be redone
    QVERIFY(!a.find<QAction>("mnuRedoApply")->isEnabled());
}

// Titled with the file's name; each row says what its change did, shortened when long; the
// shown entry, the newest at first, is the selected one, its changes one per line in the
// pages' words; reloaded when activated; the chosen entry reverted; its size kept.
void HistoryTest::historyWindowShowsEveryChangeAndReloads() {
    EditorFixture second;
    const QString path = second.openImage(image(), "kept.smc");
    second.show("item", 5);
    second.enter("ItemPriceTXT", "300");
    second.toggleCheckRow("ItemEquipLST", 5); // Cassia
    second.apply();
    applyEnemy(second, 0, "77", "3321");
    QStringList rows;
    QStringList details;
    QStringList newest;
    QVERIFY(second.withDialog("mnuHistory", [&](QWidget* history) {
        QCOMPARE(history->windowTitle(), QString("History of kept.smc"));
        newest = EditorFixture::rowsOf(history, "HistoryDetailLST");
        QVERIFY(second.find<QPushButton>("PlayVersionCMD", history)->isEnabled());
        second.selectRow("HistoryLST", 1, history); // the older entry, on the item page
        details = EditorFixture::rowsOf(history, "HistoryDetailLST");
        second.selectRow("HistoryLST", 0, history, Qt::ControlModifier); // current, selected
        second.selectRow("HistoryLST", 0, history, Qt::ControlModifier); // current, not
        QVERIFY(EditorFixture::rowsOf(history, "HistoryDetailLST").isEmpty());
        QVERIFY(!second.find<QPushButton>("PlayVersionCMD", history)->isEnabled());
        second.selectRow("HistoryLST", 1, history);
        history::History other; // another window's Apply, seen once this one is active again
        const auto id = other.beginApply(QFileInfo(path).canonicalFilePath(),
                                         {records::RecordKind::Enemy, 9, "Other"},
                                         {{0x0C4806, "\x01", "\x02"}});
        QVERIFY(id && other.finish(*id, history::Step::Apply));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(history, &activate);
        rows = EditorFixture::rowsOf(history, "HistoryLST");
        QCOMPARE(EditorFixture::rowsOf(history, "HistoryDetailLST"), details);
        second.click("RevertCMD", history);
        history->resize(1000, 520);
    }));
    QCOMPARE(rows.size(), 3);
    const QString enemy0 = QString("  Enemy 0 %1  Level: %2 \u2192 77, HP: %3 \u2192 3321")
                               .arg(synth::enemyName(0))
                               .arg(quint8(image()[0x0C4702]))
                               .arg(quint8(image()[0x0C4700]) | quint8(image()[0x0C4701]) << 8);
    QVERIFY2(rows[0].endsWith("  Enemy 9 Other  0x0C4806: 01 \u2192 02") &&
                 rows[1].endsWith(enemy0) && rows[2].contains("  Equipped by: +Cassia, Price: "),
             qPrintable(rows.join('|') + enemy0));
    QCOMPARE(newest.size(), 2);
    QCOMPARE(details.size(), 2);
    QCOMPARE(details[0], QString("Equipped by: +Cassia"));
    QVERIFY2(details[1].startsWith("Price: ") && details[1].endsWith(" \u2192 300"),
             qPrintable(details[1]));
    QByteArray expected = image();
    expected.replace(0x0C4700, 3, QByteArray::fromHex("F90C4D")); // enemy 0's HP and level
    QVERIFY(synth::readFile(path) == expected);
    QVERIFY(second.withDialog("mnuHistory", [&](QWidget* history) {
        QCOMPARE(history->size(), QSize(1000, 520));
        QVERIFY(EditorFixture::rowsOf(history, "HistoryLST").value(2).endsWith("(undone)"));
    }));
}

// Newest first; the oldest comes when the list is scrolled to its end.
void HistoryTest::historyWindowFillsAsItScrolls() {
    EditorFixture f;
    const QString file = QFileInfo(f.openImage(image())).canonicalFilePath();
    history::History other;
    for (int n = 0; n < 150; ++n) {
        const auto id = other.beginApply(file, {records::RecordKind::Enemy, n, "E"},
                                         {{0x0C4700 + 23 * n, "\x01", "\x02"}});
        QVERIFY(id && other.finish(*id, history::Step::Apply));
    }
    QVERIFY(f.withDialog("mnuHistory", [&](QWidget* history) {
        QVERIFY(EditorFixture::rowsOf(history, "HistoryLST").value(0).contains("  Enemy 149 E  "));
        for (int n = 0; n < 3; ++n)
            QTest::keyClick(f.find<QListView>("HistoryLST", history), Qt::Key_End);
        const QStringList rows = EditorFixture::rowsOf(history, "HistoryLST");
        QCOMPARE(rows.size(), 150);
        QVERIFY2(rows.last().endsWith("  Enemy 0 E  0x0C4700: 01 \u2192 02"),
                 qPrintable(rows.last()));
    }));
}

// The kept original, and the version after any entry, equal what versionAfter builds from
// every entry, after each of a seeded run of Applies, imports, Undos, Redos, Reverts and
// another window's Applies.
void HistoryTest::keptVersionsMatchTheWholeHistory() {
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.smc");
    synth::writeFile(path, image());
    rom::RomFile rom;
    QVERIFY(rom.open(path));
    history::History log(dir.filePath("log.sqlite"));
    history::History otherWindow(dir.filePath("log.sqlite"));
    history::KeptVersions kept(log, path);
    std::mt19937 random(28);
    QCOMPARE(kept.original(image()), image());
    for (int step = 0; step < 120; ++step) {
        const int choice = int(random() % 7);
        const QList<history::Entry> before = log.entries(path);
        std::optional<history::Entry> entry = choice == 3   ? log.nextUndo(path)
                                              : choice == 4 ? log.nextRedo(path)
                                                            : std::nullopt;
        if (choice == 5 && !before.isEmpty())
            entry = before[random() % before.size()]; // a revert of any entry
        if (entry && entry->undone == (choice != 4))
            continue;
        if (entry) {
            history::writeStep(log, rom, *entry,
                               choice == 4 ? history::Step::Redo : history::Step::Undo);
            kept.changed(entry->id);
        } else {
            QList<rom::Span> spans; // one field, or an import of several that may overlap
            for (int n = choice == 2 ? 6 : 1; n > 0; --n) {
                const qint64 offset = 0x0C4700 + random() % 300;
                spans.append({offset, rom.readBytes(offset, 2), QByteArray(2, char(random()))});
            }
            const auto record = choice == 2
                                    ? history::RecordRef::tableImport(6)
                                    : history::RecordRef{records::RecordKind::Enemy, 0, "E"};
            const history::Written written =
                history::writeApply(choice == 6 ? otherWindow : log, rom, path, record, spans);
            if (written.id && choice != 6)
                kept.changed(*written.id);
        }
        const QByteArray now = rom.readBytes(0, rom.size());
        const QList<history::Entry> all = log.entries(path);
        QVERIFY(kept.original(now) == history::versionAfter(now, all));
        const qint64 id = all.isEmpty() ? 0 : all[random() % all.size()].id;
        QVERIFY2(kept.after(now, id) == history::versionAfter(now, all, id),
                 qPrintable(QString::number(step)));
    }
    // A span no image can hold (damage) is passed over, and its end is never worked out.
    const auto far =
        log.beginApply(path, {records::RecordKind::Enemy, 1, "E"},
                       {{std::numeric_limits<qint64>::max() - 1, "\x01\x02", "\x03\x04"}});
    QVERIFY(far && log.finish(*far, history::Step::Apply));
    kept.changed(*far);
    const QByteArray now = rom.readBytes(0, rom.size());
    QVERIFY(kept.original(now) == history::versionAfter(now, log.entries(path)));
}

// Another program holds the database: the Apply waits no more than a moment, is written,
// and says once that it cannot be undone; the next Apply is recorded again.
void HistoryTest::busyHistoryNeverBlocksApply() {
    EditorFixture f;
    f.openAt(image(), "enemy", 5);
    {
        QSqlDatabase locker = QSqlDatabase::addDatabase("QSQLITE", "locker");
        locker.setDatabaseName(history::History::defaultPath());
        QVERIFY(locker.open());
        QSqlQuery lock(locker);
        QVERIFY(lock.exec("BEGIN EXCLUSIVE"));
        f.enter("EnemyLevelTXT", "98");
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(f.applyAndDiff(), QList<qint64>{0x0C4775});
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(lock.exec("ROLLBACK"));
        locker.close();
    }
    QSqlDatabase::removeDatabase("locker");
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].icon, ui::MessageIcon::Exclamation);
    QVERIFY(f.messages[0].text.contains("cannot be undone"));
    f.enter("EnemyLevelTXT", "99");
    f.apply();
    QCOMPARE(f.messages.size(), 1);
    f.trigger("mnuUndoApply");
    QCOMPARE(f.fileBytes().at(0x0C4775), char(98));
    QVERIFY(!f.find<QAction>("mnuUndoApply")->isEnabled());
}

// Another program holds the whole database (a rollback journal's exclusive lock) when a
// history first opens it: nothing is read, not even the file as it stands, and the next call
// opens it for reading and writing.
void HistoryTest::historyLockedAtOpeningIsTriedAgain() {
    QTemporaryDir dir;
    const QString path = dir.filePath("log.sqlite");
    const rom::Span span{0x0C0300, "\x01\x02", "\x01\x03"};
    {
        history::History first(path);
        const auto added = first.beginApply("/r.smc", history::RecordRef::tableImport(2), {span});
        QVERIFY(added && first.finish(*added, history::Step::Apply));
    }
    history::History later(path);
    {
        QSqlDatabase locker = QSqlDatabase::addDatabase("QSQLITE", "locker");
        locker.setDatabaseName(path);
        QVERIFY(locker.open());
        QSqlQuery lock(locker);
        QVERIFY(lock.exec("PRAGMA journal_mode=DELETE") && lock.exec("BEGIN EXCLUSIVE"));
        QVERIFY(later.entries("/r.smc").isEmpty());
        QVERIFY2(later.problem().contains("locked"), qPrintable(later.problem()));
        QVERIFY(!later.isReadOnly());
        QVERIFY(lock.exec("ROLLBACK"));
        locker.close();
    }
    QSqlDatabase::removeDatabase("locker");
    QCOMPARE(later.entries("/r.smc").size(), 1);
    QVERIFY(later.beginApply("/r.smc", history::RecordRef::tableImport(1), {span}));
    QVERIFY(later.problem().isEmpty());
}

// A history path that is a folder: the first Apply says so, the second only keeps the note in
// the status bar; once the history works again the note goes.
void HistoryTest::unusableHistoryIsToldOnceAndShown() {
    QTemporaryDir data;
    const QByteArray was = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", was); });
    const QString folder = history::History::defaultPath();
    QVERIFY(QDir().mkpath(folder));
    EditorFixture f;
    f.openImage(image());
    for (const char* level : {"97", "98"})
        applyEnemy(f, 5, level);
    QCOMPARE(f.fileBytes().at(0x0C4775), char(98));
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].text.contains("cannot be undone"), qPrintable(f.messages[0].text));
    auto* note = f.find<QLabel>("HistoryProblemLBL");
    QVERIFY(note->isVisible());
    QVERIFY2(note->text().startsWith("Changes are not recorded: " + folder),
             qPrintable(note->text()));
    QVERIFY(QDir(folder).removeRecursively());
    applyEnemy(f, 5, "99");
    QVERIFY(!note->isVisible());
    QVERIFY(f.find<QAction>("mnuUndoApply")->isEnabled());
    QCOMPARE(f.messages.size(), 1);
}

// A database of an earlier release (literal SQL, no pending steps) and one written now; one
// on a file system mounted read-only still lists its entries but records nothing new.
void HistoryTest::earlierCurrentAndReadOnlyDatabasesReadBack() {
    QTemporaryDir dir;
    if (::mount("tmpfs", dir.path().toLocal8Bit(), "tmpfs", 0, "size=4m") != 0)
        QSKIP("a small tmpfs cannot be mounted here");
    const auto unmount = qScopeGuard([&] { ::umount(dir.path().toLocal8Bit()); });
    {
        QSqlDatabase old = QSqlDatabase::addDatabase("QSQLITE", "old");
        old.setDatabaseName(dir.filePath("old.sqlite"));
        QVERIFY(old.open());
        QSqlQuery sql(old);
        for (const char* statement :
             {"CREATE TABLE entries (id INTEGER PRIMARY KEY, file, time, page, row, name, undone "
              "DEFAULT 0, undone_order, redoable DEFAULT 1)",
              "CREATE TABLE spans (entry, position, offset, before, after)",
              "INSERT INTO entries (file, time, page, row, name) VALUES ('/r.smc', "
              "'2024-05-01T10:00:00.000', 'char', 3, 'Dunmore')",
              "INSERT INTO entries (file, time, page, row, name) VALUES ('/other.smc', "
              "'2024-05-01T10:01:00.000', 'enemy', 2, 'Horn')",
              // Written by another program: positions out of order, files interleaved, a
              // span without its place.
              "INSERT INTO spans VALUES (1, 1, 786700, x'07', x'08')",
              "INSERT INTO spans VALUES (1, 2, NULL, x'07', x'09')",
              "INSERT INTO spans VALUES (2, 0, 786690, x'05', x'06')",
              "INSERT INTO spans VALUES (1, 0, 786690, x'05', x'63')"})
            QVERIFY2(sql.exec(statement), statement);
    }
    QSqlDatabase::removeDatabase("old");
    const rom::Span span{0x0C0300, "\x01\x02", "\x01\x03"};
    {
        history::History old(dir.filePath("old.sqlite"));
        const auto added = old.beginApply("/r.smc", history::RecordRef::tableImport(2), {span});
        QVERIFY(added && old.finish(*added, history::Step::Apply));
    }
    QVERIFY(::mount(nullptr, dir.path().toLocal8Bit(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) ==
            0);
    history::History readOnly(dir.filePath("old.sqlite"));
    const QList<history::Entry> entries = readOnly.entries("/r.smc");
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0].record.label(), QString("Import of 2 records from tables"));
    QCOMPARE(entries[1].record.label(), QString("Character 3 Dunmore"));
    QCOMPARE(entries[0].spans.value(0).before, QByteArray("\x01\x02"));
    QCOMPARE(entries[1].time(), QDateTime(QDate(2024, 5, 1), QTime(10, 0)));
    QCOMPARE(entries[1].spans.size(), 2);
    QCOMPARE(entries[1].spans.value(0).offset, 0x0C0102);
    QCOMPARE(entries[1].spans.value(0).after, QByteArray("\x63"));
    QCOMPARE(entries[1].spans.value(1).offset, 0x0C010C);
    QVERIFY(readOnly.isReadOnly() && !readOnly.beginApply("/r.smc", {}, {span}));
}

// On a disk too small for the headerless copy the message gives the system's reason.
void HistoryTest::fullDiskHeaderRemovalSaysWhy() {
    QTemporaryDir dir;
    if (::mount("tmpfs", dir.path().toLocal8Bit(), "tmpfs", 0, "size=6m") != 0)
        QSKIP("a small tmpfs cannot be mounted here");
    const QByteArray headered = synth::withCopierHeader(image());
    {
        EditorFixture f;
        QVERIFY(synth::writeFile(dir.filePath("full.smc"), headered));
        f.openRom(dir.filePath("full.smc"));
        QCOMPARE(f.messages.size(), 2);
        QVERIFY2(f.messages[1].text.contains("No space left on device"),
                 qPrintable(f.messages[1].text));
        QVERIFY(synth::readFile(dir.filePath("full.smc")) == headered);
    }
    ::umount(dir.path().toLocal8Bit());
}

// From the file before this editor's changes (several Applies, an undo, a restart), from
// a headered original, and the failures: no change, a save that cannot be written.
void HistoryTest::patchesTurnTheOriginalIntoTheOpenFile() {
    QTemporaryDir dir;
    const QString rom = dir.filePath("edited.smc");
    QVERIFY(synth::writeFile(rom, image()));
    {
        EditorFixture first;
        first.openRom(rom);
        first.show("item", 90); // price 96 0A at 0x0C08C1: E8 03, E9 03, then 07 00 undone
        for (const char* price : {"1000", "1001", "7"}) {
            first.enter("ItemPriceTXT", price);
            first.apply();
        }
        first.trigger("mnuUndoApply");
        first.selectTab("enemy");
        first.enter("EnemyLevelTXT", "99");
        first.apply();
    }
    EditorFixture f;
    f.openRom(rom);
    createPatch(f, dir.filePath("history.ips"));
    QVERIFY(applyIps(image(), synth::readFile(dir.filePath("history.ips"))) ==
            synth::readFile(rom));
    QCOMPARE(f.messageTexts(), QStringList(QString("The patch changes 3 bytes in 2 places. It was "
                                                   "written to \"%1\".")
                                               .arg(dir.filePath("history.ips"))));
    QVERIFY(synth::writeFile(dir.filePath("original.smc"), synth::withCopierHeader(image())));
    createPatch(f, dir.filePath("file.ips"), dir.filePath("original.smc"));
    QVERIFY(applyIps(image(), synth::readFile(dir.filePath("file.ips"))) == synth::readFile(rom));
    f.messages.clear();
    createPatch(f, dir.filePath("none.ips"), rom);
    createPatch(f, rom + "/cannot.ips");
    QCOMPARE(f.messages.size(), 2);
    QVERIFY(f.messages[0].text.contains("no change"));
    QVERIFY2(f.messages[1].text.endsWith(". No patch file was made."),
             qPrintable(f.messages[1].text));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             (QStringList{"edited.smc", "file.ips", "history.ips", "original.smc"}));
}

// An image of zeros but for two bytes sums to 0x34 + 0x12 + FF + FF = 0x0244.
void HistoryTest::checksumIsUpdatedAsOneUndoableChange() {
    QByteArray zeros(4194304, '\0');
    zeros[0] = '\x34';
    zeros[4194303] = '\x12';
    EditorFixture f;
    f.openAt(zeros, "misc", 0);
    QCOMPARE(f.find<QLabel>("ROMChecksumStateLBL")->text(), QString("out of date"));
    f.trigger("mnuUpdateChecksum");
    QCOMPARE(synth::changedOffsets(zeros, f.fileBytes()),
             (QList<qint64>{0xFFDC, 0xFFDD, 0xFFDE, 0xFFDF}));
    QCOMPARE(f.fileBytes().mid(0x00FFDC, 4), QByteArray::fromHex("BBFD4402"));
    QCOMPARE(f.find<QLabel>("ROMChecksumStateLBL")->text(), QString("matches"));
    QStringList details; // as the Miscellaneous page shows the pair
    QVERIFY(f.withDialog("mnuHistory", [&](QWidget* history) {
        QCOMPARE(EditorFixture::rowsOf(history, "HistoryLST").size(), 1);
        details = EditorFixture::rowsOf(history, "HistoryDetailLST");
    }));
    QCOMPARE(details, QStringList("Checksum: 0 0 \u2192 FDBB 244"));
    f.trigger("mnuUndoApply");
    QVERIFY(f.fileBytes() == zeros);
    EditorFixture shortFile;
    shortFile.openAt(zeros.left(0x10000), "misc", 0);
    shortFile.trigger("mnuUpdateChecksum");
    QCOMPARE(shortFile.messageTexts(), QStringList("The checksum covers a 4 MiB image; this file "
                                                   "holds 65536 bytes, so nothing was written."));
}

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--child-crash")
        return runCrashingApply(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    HistoryTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_history.moc"
